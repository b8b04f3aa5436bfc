#pragma once

#include "files/slavedirectory.h"
#include "jobs/busscan.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace zelmar {

class AppContext;

// SLAVE_INFO: the directory of the 128 bus addresses. A click into a row makes its address
// the current one for every window; names are edited here and taken with OK; the scanner
// marks the addresses that answer.
class SlaveInfoWindow : public QWidget {
    Q_OBJECT
public:
    explicit SlaveInfoWindow(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int ZEILEN = SlaveDirectory::ANZAHL;
    // The names the directory file can keep.
    static constexpr int NAME_LAENGE = 30;

    // The installation check (jobs/busscan.h) against the names in the rows.
    using Anlage = AnlagePruefung;

public slots:
    void Timer_START_Timer();
    void Timer_ANZEIGE_Timer();
    void Combo_SLAVE_TYP_Click(int index);
    void Command_ADRESSE_SLAVE_Click();
    void Command_INFO_AUSLESEN_Click();
    void Command_SCANNER_Click();
    void Command_ANLAGE_PRUEFEN_Click();
    void Command_OK_Click();
    void Command_ABBRECHEN_Click();
    void Command_ENDE_Click();

    // The scan of the last click, while it runs.
    BusScan* scan() const { return m_scan; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bauen();
    void verbinden();
    void zeileWaehlen(int adresse);
    void scannen(bool pruefen);
    void anlageZeigen(const BusScan::Result& scan);

    AppContext& m_ctx;
    QPointer<BusScan> m_scan;
    // What the display shows, so a tick touches only what changed.
    std::array<int, ZEILEN> m_farbe;
    // The marks of the last installation check: 0 none, else the colour of the name box.
    std::array<int, ZEILEN> m_marke{};
    std::array<int, ZEILEN> m_namenFarbe;
    int m_typ = -1;

    std::array<QLineEdit*, ZEILEN> Text_SLAVE_ADRESSE{};
    std::array<QLineEdit*, ZEILEN> Text_SLAVE_INFO{};
    QGroupBox* Frame1;
    QComboBox* Combo_SLAVE_TYP;
    QLineEdit* Text_ADRESSE_SLAVE;
    QPushButton* Command_ADRESSE_SLAVE;
    QPushButton* Command_INFO_AUSLESEN;
    QPushButton* Command_SCANNER;
    QPushButton* Command_ANLAGE_PRUEFEN;
    QPushButton* Command_OK;
    QPushButton* Command_ABBRECHEN;
    QPushButton* Command_ENDE;
    QTimer* Timer_START;
    QTimer* Timer_ANZEIGE;
};

} // namespace zelmar
