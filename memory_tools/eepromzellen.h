#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace zelmar {

// The 150 cells of the EEPROM window in 6 columns of 25 rows, running down the columns: each
// cell is its address box, its value box and its "w" button. The window fills and wires them.
class EepromZellen : public QWidget {
    Q_OBJECT
public:
    static constexpr int ANZAHL = 150;
    static constexpr int ZEILEN = 25;
    static constexpr int SPALTEN = ANZAHL / ZEILEN;

    explicit EepromZellen(QWidget* parent = nullptr);

    std::array<QLineEdit*, ANZAHL> Text_ADRESSE{};
    std::array<QLineEdit*, ANZAHL> Text2{};
    std::array<QPushButton*, ANZAHL> Command_w{};

signals:
    // A click into value box `index`.
    void Text2_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zelmar
