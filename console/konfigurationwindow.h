#pragma once

#include "consolepanel.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;

namespace zelmar {

class ComPortPanel;
class PortStatusPanel;

// KONFIGURATION: the configuration and diagnostic console. Port set-up on the left, the
// interface and bus panels on the right in frames that the view selector shows or hides, and a
// 100 ms tick that keeps every status field current, also while a transaction waits.
class KonfigurationWindow : public QWidget {
    Q_OBJECT
public:
    explicit KonfigurationWindow(AppContext& ctx, QWidget* parent = nullptr);

    // A frame of the console by its name ("Frame_TWI_TAKT", ...), for the panel that fills it.
    QGroupBox* frame(const QString& name) const { return m_frames.value(name); }
    Ansicht ansicht() const;

public slots:
    void Form_Load();
    void Timer1_Timer();
    void Command_CLOSE_Click();
    void Command_END_Click();

private:
    void bauen();
    void verbinden();
    QGroupBox* neuerFrame(const char* name, const QString& caption, QWidget* parent);
    template <typename P> P* addPanel(P* panel, QGroupBox* frame);
    void ansichtAnwenden(Ansicht a);
    void platzFuerAnsicht();
    void tickPanels(TickSchritt step);

    AppContext& m_ctx;
    QHash<QString, QGroupBox*> m_frames;
    QList<ConsolePanel*> m_panels;
    QScrollArea* m_scroll;
    Ansicht m_ansicht = Ansicht::Twi;
    ComPortPanel* m_comPort;
    PortStatusPanel* m_portStatus;

    QGroupBox* Frame_TWI;
    QGroupBox* Frame_MODEM;
    QList<QGroupBox*> m_profiFrames;
    QLineEdit* Text_DATUM_ZEIT;
    QLineEdit* Text_PATH_PROGRAMM;
    QRadioButton* Option_ALLGEMEIN;
    QRadioButton* Option_TWI;
    QRadioButton* Option_TWI_PROFI;
    QRadioButton* Option_MODEM;
    QPushButton* Command_CLOSE;
    QPushButton* Command_END;
    QTimer* Timer1;
};

} // namespace zelmar
