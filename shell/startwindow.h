#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTimer;

namespace zelmar {

class AppContext;

// START: the small info window with the program's picture and version. It closes itself one
// second after it was opened.
class StartWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartWindow(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Timer_START_Timer();

private:
    QLabel* Picture1;
    QLineEdit* Text1;
    QTimer* Timer_START;
};

} // namespace zelmar
