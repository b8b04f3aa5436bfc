#include "hilfewindow.h"

#include "appcontext.h"
#include "ui/unloadgate.h"
#include "windownames.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>

namespace zelmar {

namespace {

const char* const kRahmen[] = {
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " PROTOKOLL PC <===> RS232 Interface"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 1 ====>* (Vorspann)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 2 ====>Befehl"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 3 ====>Adresse SLAVE"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 3 ====>RESERVE"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow",
                      "   Zeichen 4 ====>Anzahl zu sendende Zeichen   (low)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow",
                      "   Zeichen 5 ====>Anzahl zu sendende Zeichen   (high)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow",
                      "   Zeichen 6 ====>Anzahl zu empfangene Zeichen (low)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow",
                      "   Zeichen 7 ====>Anzahl zu empfangene Zeichen (high)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 8 ====># (Nachspann)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 9...==># DATEN"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", "   Zeichen 9...==># (Nachspann)"),
};

const char* const kInterfaceBefehle[] = {
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " Befehle"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=   0 ==> DUMMY an PC senden (zur Überprüfung "
                                             "der Verbindung)   ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=   1 ==> MCUCSR auslesen (Grund des letzten Resets (z.B. WDR)  ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=   2 ==> MCUCSR CLEAR                        "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=   3 ==> Spannung auslesen                                     ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=   4 ==> NAME des Interfaces auslesen                          ANTWORT vom µC==> "
        "WERT (16 Zeichen)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=   5 ==> TWI - AUS                           "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=   8 ==> TWI-BUS-PINS-ZUSTAND auslesen                         ANTWORT vom µC==> "
        "WERT  (0=OK 1=SDA 2=SCL 3=SDA+SCL)"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=   9 ==> TWI-BUS-SPANNUNG-RESET "
                                             "(Versorgungsspannung für SLAVE)ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  10 ==> Reset µC                            "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  11 ==> Reset BETRIEBSSPANNUNG              "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  12 ==> TAKT auslesen                                         ANTWORT vom µC==> "
        "WERT (Byte1+2+3+4)"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  15 ==> Fehlercode auslesen                                   ANTWORT vom µC==> "
        "WERT"),
};

const char* const kRegisterBefehle[] = {
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  20 ==> TWBR lesen                                            ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  21 ==> TWSR lesen                                            ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  22 ==> TWAR lesen                                            ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  23 ==> TWCR lesen                                            ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP(
        "zelmar::HilfeWindow",
        " BEFEHL=  24 ==> TWDR lesen                                            ANTWORT vom µC==> "
        "WERT"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  30 ==> TWBR setzen                         "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  31 ==> TWSR setzen                         "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  32 ==> TWAR setzen                         "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  33 ==> TWCR setzen                         "
                                             "                  ANTWORT vom µC==> 0"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  34 ==> TWDR setzen                         "
                                             "                  ANTWORT vom µC==> 0"),
};

const char* const kBusBefehle[] = {
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  50 ==> START MT + DATEN + STOP"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  60 ==> START MT + DATEN"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  65 ==> DATEN an SLAVE senden"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL=  80 ==> START MR + DATEN + STOP"),
    QT_TRANSLATE_NOOP("zelmar::HilfeWindow", " BEFEHL= 100 ==> STOP"),
};

const QString kCrLf = QStringLiteral("\r\n");

template <size_t N> QString joined(const char* const (&lines)[N]) {
    QStringList list;
    for (const char* line : lines)
        list << QCoreApplication::translate("zelmar::HilfeWindow", line);
    return list.join(kCrLf);
}

} // namespace

QString hilfeText() {
    QString text = joined(kRahmen);
    text += kCrLf + joined(kInterfaceBefehle);
    text += kCrLf + joined(kRegisterBefehle);
    text += kCrLf + joined(kBusBefehle);
    return text;
}

HilfeWindow::HilfeWindow(AppContext& ctx, QWidget* parent) : QWidget(parent) {
    setObjectName(fenster::HILFE);
    setWindowTitle(tr("Form1"));

    Text_HILFE = new QPlainTextEdit(this);
    Text_HILFE->setObjectName(QStringLiteral("Text_HILFE"));
    Text_HILFE->setReadOnly(true);
    Text_HILFE->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The columns of the command list line up only in a fixed-pitch font.
    Text_HILFE->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    Command_THEMA_1 = new QPushButton(tr("THEMA1"), this);
    Command_THEMA_1->setObjectName(QStringLiteral("Command_THEMA_1"));
    // Installed, the files are not beside the program; the user needs to know where they are.
    Label_DATEIEN = new QLabel(tr("Einstellungen und DATEN: ") + ctx.PROGRAMM_PFAD, this);
    Label_DATEIEN->setObjectName(QStringLiteral("Label_DATEIEN"));
    Label_DATEIEN->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_DATEIEN->setToolTip(ctx.PROGRAMM_PFAD);
    // A long path is cut off rather than widening the window past the screen.
    Label_DATEIEN->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Command_OK = new QPushButton(tr("OK"), this);
    Command_OK->setObjectName(QStringLiteral("Command_OK"));
    guardedConnect(Command_THEMA_1, &QPushButton::clicked, this,
                   &HilfeWindow::Command_THEMA_1_Click);
    guardedConnect(Command_OK, &QPushButton::clicked, this, &HilfeWindow::Command_OK_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command_THEMA_1);
    buttons->addSpacing(12);
    buttons->addWidget(Label_DATEIEN, 1);
    buttons->addWidget(Command_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text_HILFE, 1);
    layout->addLayout(buttons);

    passendeGroesse();

    Command_THEMA_1_Click();
}

// The whole text without scrolling where the screen allows: a smaller font before scroll bars.
void HilfeWindow::passendeGroesse() {
    const QRect frei = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    const QStringList zeilen = hilfeText().split(QStringLiteral("\r\n"));
    QFont font = Text_HILFE->font();
    QSize text;
    for (;;) {
        const QFontMetrics fm(font);
        int breite = 0;
        for (const QString& z : zeilen)
            breite = qMax(breite, fm.horizontalAdvance(z));
        // Document margins, frame and the row of buttons.
        text = QSize(breite + 40, fm.lineSpacing() * zeilen.size() + 16);
        if (text.height() + 110 <= frei.height() || font.pointSizeF() <= 7)
            break;
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    Text_HILFE->setFont(font);
    resize(QSize(text.width() + 24, text.height() + 60).boundedTo(frei.size() - QSize(16, 48)));
}

void HilfeWindow::Command_THEMA_1_Click() {
    // The text box shows lines; CR LF is the line end of the text, not a character in it.
    QString shown = hilfeText();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text_HILFE->setPlainText(shown);
}

void HilfeWindow::Command_OK_Click() {
    close();
}

} // namespace zelmar
