#pragma once

#include "jobs/eepromerase.h"
#include "jobs/eepromerkennen.h"
#include "jobs/eepromreadout.h"
#include "jobs/eepromrestore.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QPointer>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zelmar {

class AppContext;

// Frame "65k-EEPROM" of the EEPROM window: the complete read-out into the dump file (or binary
// or Intel HEX), the complete erase, their abort, and the dump in the text viewer, for the chip
// chosen under "Baustein" (the 64 KiB one unless another is chosen); writing a
// file into the EEPROM, verifying the EEPROM against a file and comparing two files, with a
// report that can be saved. A run is a job; its status text shows in the classic form, and the
// bar beside it counts the bytes done and the time left, and gives the run's time at the end.
class EepromSonderfunktionen : public QGroupBox {
    Q_OBJECT
public:
    explicit EepromSonderfunktionen(AppContext& ctx, QWidget* parent = nullptr);

    // The run under way, if any.
    Job* lauf() const { return m_lauf; }
    // Shows EEPROM_STATUS_TEXT (part of the window's display tick).
    void tick();

    // The time left of a run: from the line rate at first, more and more from the progress
    // so far. `linie` is the line time of the whole run.
    static double restSekunden(qint64 fertig, qint64 gesamt, double vergangen, double linie);
    static QString dauerText(double sekunden);

    QString EEPROM_STATUS_TEXT = QStringLiteral("---");

    // The chip chosen under "Baustein".
    EepromBaustein baustein() const;

public slots:
    void Command_KOMLETT_AUSLESEN_Click();
    void Command_EEPROM_LOESCHEN_Click();
    void Command_ABBRECHEN_Click();
    void Command_EDIT_Click();
    void Command_AUS_DATEI_SCHREIBEN_Click();
    void Command_MIT_DATEI_VERGLEICHEN_Click();
    void Command_DUMPS_VERGLEICHEN_Click();
    void Command_BERICHT_SPEICHERN_Click();
    void Command_ERKENNEN_Click();

signals:
    // An erase has run (the grid is read again).
    void geloescht();

private:
    void bauen();
    void verbinden();
    void bauenDateien(QGridLayout* grid, int zeile);
    // Captions and page sizes of the chosen chip.
    void bausteinGewaehlt();
    // False, after saying so, when the slave address is not the chip's first one.
    bool ersteAdresse();
    // The chosen page, never larger than the chip's.
    int seite() const;
    void vorschlagAnbieten(const EepromErkennung& e);
    void starten(Job* job, double linienSekunden, int gesamt, bool inProzent = false);
    void fortschritt(int fertig, int gesamt);
    QString mengeText() const;
    void beendet();
    PortSettings leitung() const;
    // Asks for a file and reads it; a malformed one is refused with its line and reason and
    // `folge` (what was not done).
    bool dateiWaehlen(const QString& titel, const QString& folge, QString* pfad,
                      EepromAbbild* abbild);
    void abgleichen(const QString& pfad, EepromAbbild abbild, EepromRestore::Modus modus);
    void berichtZeigen(const QString& meldung, const QString& bericht);

    AppContext& m_ctx;
    QPointer<Job> m_lauf;
    QElapsedTimer m_uhr;
    double m_linie = 0;
    int m_fertig = 0;
    bool m_prozent = false;
    QString m_bericht; // the last comparison's report, for "Bericht speichern"
    QString m_sha256;  // of the file the last read-out wrote, shown with its time

    QPushButton* Command_KOMLETT_AUSLESEN;
    QPushButton* Command_EEPROM_LOESCHEN;
    QPushButton* Command_ABBRECHEN;
    QPushButton* Command_EDIT;
    QLineEdit* Text_EEPROM_STATUS;
    QProgressBar* ProgressBar_EEPROM;
    QComboBox* Combo_DATEIFORMAT;
    QPushButton* Command_AUS_DATEI_SCHREIBEN;
    QComboBox* Combo_SEITENGROESSE;
    QPushButton* Command_MIT_DATEI_VERGLEICHEN;
    QPushButton* Command_DUMPS_VERGLEICHEN;
    QPushButton* Command_BERICHT_SPEICHERN;
    QPushButton* Command_ERKENNEN;
    QComboBox* Combo_BAUSTEIN;
};

} // namespace zelmar
