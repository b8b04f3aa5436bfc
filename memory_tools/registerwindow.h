#pragma once

#include "jobs/repetition.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace zelmar {

class AppContext;

// REGISTER: the 32 working registers of the ATmega8 slave at the current address, read once or
// again and again ("repead") and written one at a time, with a note per register kept in a
// text file per slave address.
class RegisterWindow : public QWidget {
    Q_OBJECT
public:
    explicit RegisterWindow(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int ZEILEN = 32;

    // The notes file, fixed when the window opened.
    const QString& BEMERKUNGEN_DATEI() const { return m_datei; }
    Repetition* lauf() const { return m_lauf; }

public slots:
    void Command_lesen_Click();
    void Command_schreiben_Click(int k);
    void Text_REGISTER_Click(int k);
    void Check_REPEAD_Click();
    void Timer_ANZEIGE_Timer();
    void Timer_START_Timer();
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void bauen();
    void verbinden();
    void Form_Load();
    void Form_Unload();

    void REGISTER_LESEN();
    void REGISTER_SCHREIBEN(int k);
    // The two transactions of a pass; false ends the loop.
    bool anfordern();
    bool dumpLesen();
    void anzeigen(const std::array<quint8, ZEILEN>& werte);
    void repeatBeenden();

    AppContext& m_ctx;
    QPointer<Repetition> m_lauf;
    QString m_datei;
    // Each note line as the file held it and as its box showed it at load: a note the user
    // left alone goes back byte for byte, whatever its length or encoding.
    QList<QByteArray> m_geladen;
    std::array<QString, ZEILEN> m_gezeigt;
    bool m_zu = false;
    int m_passSlave = 0;
    std::array<QString, ZEILEN> ALTE_WERTE;

    std::array<QLabel*, ZEILEN> Label1{};
    std::array<QLineEdit*, ZEILEN> Text_REGISTER{};
    std::array<QLineEdit*, ZEILEN> Text_BEMERKUNGEN{};
    std::array<QPushButton*, ZEILEN> Command_schreiben{};
    QPushButton* Command_lesen;
    QCheckBox* Check_REPEAD;
    QPushButton* Command1;
    QPushButton* Command2;
    QTimer* Timer_START;
    QTimer* Timer_ANZEIGE;
};

} // namespace zelmar
