#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zelmar {

class AppContext;

// The protocol between PC and interface as a fixed text: lines joined with CR LF, no line end
// after the last one.
QString hilfeText();

// HILFE: shows hilfeText() and the directory of the settings files and DATEN/. No link
// traffic.
class HilfeWindow : public QWidget {
    Q_OBJECT
public:
    explicit HilfeWindow(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_THEMA_1_Click();
    void Command_OK_Click();

private:
    void passendeGroesse();

    QPlainTextEdit* Text_HILFE;
    QPushButton* Command_THEMA_1;
    QLabel* Label_DATEIEN;
    QPushButton* Command_OK;
};

} // namespace zelmar
