#pragma once

#include "consolepanel.h"

#include "jobs/repetition.h"
#include "link/reply.h"

#include <QList>
#include <QPointer>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelmar {

// Frame "STANDARD-BEFEHLE": sends the chosen standard command to the current slave and shows
// the four reply bytes, once or again and again while "repead" is ticked; a fetched slave time
// can set the PC clock.
class StandardBefehlePanel : public ConsolePanel {
    Q_OBJECT
public:
    explicit StandardBefehlePanel(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_STANDARD_BEFEHLE_START_Click();
    void Command_HILFE_BEFEHLE_Click();

private:
    enum class Befehl {
        Aus,
        ZeitSenden,
        DatumSenden,
        Code,
        ZeitHolen,
        DatumHolen,
    };
    struct Wahl {
        QRadioButton* option;
        Befehl befehl;
        quint8 code;
    };

    QRadioButton* neueOption(const QString& caption, const QString& name, Befehl befehl,
                             quint8 code = 0);
    const Wahl* gewaehlt() const;
    Reply ausfuehren(const Wahl& wahl);
    void antwortFarbe(int qbIndex);
    // The two phases of a pass, either side of the 200 ms pause; false ends the run.
    bool senden();
    bool nachDerPause();
    bool resetBestaetigen();

    QList<Wahl> m_wahl;
    QButtonGroup* m_gruppe;
    QPointer<Repetition> m_lauf;
    // What the pass before the pause left for the phase after it.
    Befehl m_befehl = Befehl::Aus;
    qint16 m_status = 0;
    std::array<quint8, 4> m_antwort{};
    bool m_resetBestaetigt = false;

    QLabel* Label3;
    QLabel* Label4;
    QRadioButton* Option_AUS;
    QRadioButton* Option_RESET_SENDEN;
    QRadioButton* OPTION_ZEIT_HOLEN;
    QPushButton* Command_STANDARD_BEFEHLE_START;
    QCheckBox* Check_BEFEHLE_START_REPEAD;
    QCheckBox* Check_PC_ZEIT_STELLEN;
    std::array<QLineEdit*, 4> Text_EMPFANGSZEICHEN{};
    QLineEdit* Text_SONDERAUSGABE;
    QPushButton* Command_HILFE_BEFEHLE;
};

} // namespace zelmar
