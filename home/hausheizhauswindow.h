#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace zelmar {

class AppContext;
class HeizhausBild;

// HAUS_HEIZHAUS: a picture of the heating house with six fixed labels. It fetches nothing.
class HausHeizhausWindow : public QWidget {
    Q_OBJECT
public:
    explicit HausHeizhausWindow(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_CLOSE_Click();

private:
    HeizhausBild* m_bild;
    std::array<QLabel*, 6> Label{}; // Label1..Label6
    QPushButton* Command_CLOSE;
};

} // namespace zelmar
