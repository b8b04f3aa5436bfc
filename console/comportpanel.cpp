#include "comportpanel.h"

#include "files/logbooks.h"
#include "files/settingsfiles.h"
#include "shell/appcontext.h"

#include "link/hardwareserialport.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelmar {

namespace {

QLineEdit* indicator(const QString& text, const char* name, QWidget* parent) {
    auto* w = new QLineEdit(text, parent);
    w->setObjectName(QLatin1String(name));
    w->setReadOnly(true);
    w->setAlignment(Qt::AlignCenter);
    w->setFocusPolicy(Qt::NoFocus);
    w->setFixedWidth(48);
    return w;
}

} // namespace

ComPortPanel::ComPortPanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("ComPortPanel"));
    Frame1 = new QGroupBox(tr("COM-PORT"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Frame1);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    auto* bemerkungen = new QLabel(tr("BEMERKUNGEN"), Frame1);
    bemerkungen->setObjectName(QStringLiteral("Label_BEMERKUNGEN"));
    grid->addWidget(bemerkungen, 0, 1);
    m_optionen = new QButtonGroup(this);
    for (int i = 0; i < ANZAHL_PORTS; ++i) {
        Option_COM[i] = new QRadioButton(tr("COM %1").arg(i + 1), Frame1);
        Option_COM[i]->setObjectName(QStringLiteral("Option_COM_%1").arg(i));
        m_optionen->addButton(Option_COM[i], i);
        Text1[i] = new QLineEdit(i == 0 ? tr("BEMERKUNGEN") : QStringLiteral("..."), Frame1);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        grid->addWidget(Option_COM[i], i + 1, 0);
        grid->addWidget(Text1[i], i + 1, 1);
        guardedConnect(Option_COM[i], &QRadioButton::clicked, this, &ComPortPanel::Option_COM_Click,
                       i);
    }
    // Only port 17's remark is never kept: say so where it is typed.
    Text1[ANZAHL_PORTS - 1]->setToolTip(tr("Die Bemerkung zu COM 17 wird nicht gespeichert."));

    Command_COM_TEST = new QPushButton(tr("PORT SUCHE"), Frame1);
    Command_COM_TEST->setObjectName(QStringLiteral("Command_COM_TEST"));
    Label2 = new QLabel(tr("Settings:"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Text_SETTINGS = new QLineEdit(Frame1);
    Text_SETTINGS->setObjectName(QStringLiteral("Text_SETTINGS"));
    Text_SETTINGS->setReadOnly(true);
    Command_SETTINGS_EDIT = new QPushButton(QStringLiteral("..."), Frame1);
    Command_SETTINGS_EDIT->setObjectName(QStringLiteral("Command_SETTINGS_EDIT"));
    Command_SETTINGS_EDIT->setFixedWidth(32);
    Command_PORT_OPEN = new QPushButton(tr("open"), Frame1);
    Command_PORT_OPEN->setObjectName(QStringLiteral("Command_PORT_OPEN"));
    Command_PORT_CLOSE = new QPushButton(tr("close"), Frame1);
    Command_PORT_CLOSE->setObjectName(QStringLiteral("Command_PORT_CLOSE"));
    Check_DTR = new QCheckBox(tr("DTR"), Frame1);
    Check_DTR->setObjectName(QStringLiteral("Check_DTR"));
    Check_DTR->setChecked(true);
    Check_RTS = new QCheckBox(tr("RTS"), Frame1);
    Check_RTS->setObjectName(QStringLiteral("Check_RTS"));
    Check_RTS->setChecked(true);
    Text_DTR = indicator(tr("DTR"), "Text_DTR", Frame1);
    Text_RTS = indicator(tr("RTS"), "Text_RTS", Frame1);

    auto* settings = new QHBoxLayout;
    settings->addWidget(Label2);
    settings->addWidget(Text_SETTINGS, 1);
    settings->addWidget(Command_SETTINGS_EDIT);
    auto* openClose = new QHBoxLayout;
    openClose->addWidget(Command_PORT_OPEN);
    openClose->addWidget(Command_PORT_CLOSE);
    auto* lines = new QHBoxLayout;
    lines->addWidget(Check_DTR);
    lines->addWidget(Text_DTR);
    lines->addStretch(1);
    lines->addWidget(Check_RTS);
    lines->addWidget(Text_RTS);

    auto* layout = new QVBoxLayout(Frame1);
    layout->addLayout(grid);
    layout->addWidget(Command_COM_TEST);
    layout->addLayout(settings);
    layout->addLayout(openClose);
    layout->addLayout(lines);

    guardedConnect(Command_COM_TEST, &QPushButton::clicked, this,
                   &ComPortPanel::Command_COM_TEST_Click);
    guardedConnect(Command_SETTINGS_EDIT, &QPushButton::clicked, this,
                   &ComPortPanel::Command_SETTINGS_EDIT_Click);
    guardedConnect(Command_PORT_OPEN, &QPushButton::clicked, this,
                   &ComPortPanel::Command_PORT_OPEN_Click);
    guardedConnect(Command_PORT_CLOSE, &QPushButton::clicked, this,
                   &ComPortPanel::Command_PORT_CLOSE_Click);
    guardedConnect(Check_DTR, &QCheckBox::clicked, this, &ComPortPanel::Check_DTR_Click);
    guardedConnect(Check_RTS, &QCheckBox::clicked, this, &ComPortPanel::Check_RTS_Click);
}

QString ComPortPanel::geraet(int portNr) const {
    if (dynamic_cast<const HardwareSerialPort*>(&m_ctx.MSComm1()))
        return HardwareSerialPort::deviceFor(m_ctx.PROGRAMM_PFAD, portNr);
    return QString();
}

void ComPortPanel::laden() {
    Text_SETTINGS->setText(m_ctx.MSComm1().settings());
    comIniLaden();
    for (int i = 0; i < ANZAHL_PORTS; ++i)
        Option_COM[i]->setToolTip(geraet(i + 1));
    const int nr = m_ctx.link.COM_PORT_NR;
    if (nr >= 1 && nr <= ANZAHL_PORTS)
        waehle(nr - 1);
}

void ComPortPanel::comIniLaden() {
    const ComRemarks remarks = COM_INI_LADEN(m_ctx.PROGRAMM_PFAD);
    for (int k = 0; k < COM_REMARK_COUNT; ++k)
        Text1[k]->setText(remarks[k]);
}

bool ComPortPanel::comIniSpeichern() {
    ComRemarks remarks;
    for (int k = 0; k < COM_REMARK_COUNT; ++k)
        remarks[k] = Text1[k]->text();
    return COM_INI_SPEICHERN(m_ctx.PROGRAMM_PFAD, remarks);
}

// Choosing an option in code runs its click handler, as a click does.
void ComPortPanel::waehle(int index) {
    Option_COM[index]->setChecked(true);
    Option_COM_Click(index);
}

void ComPortPanel::Option_COM_Click(int index) {
    m_ctx.MSComm1().close();
    m_ctx.MSComm1().setPortNumber(index + 1);
}

void ComPortPanel::Command_COM_TEST_Click() {
    SerialPort& port = m_ctx.MSComm1();
    port.close();
    int first = 0;
    for (int i = 1; i <= ANZAHL_PORTS; ++i) {
        port.setPortNumber(i);
        port.open();
        setBackColor(Option_COM[i - 1], QB_HELLROT);
        setBackColor(Text1[i - 1], QB_HELLROT);
        m_ctx.link.WARTEN_200MS();
        if (port.isOpen()) {
            Option_COM[i - 1]->setEnabled(true);
            setBackColor(Option_COM[i - 1], QB_HELLGELB);
            setBackColor(Text1[i - 1], QB_HELLGELB);
            QCoreApplication::processEvents();
            if (first == 0)
                first = i;
        } else {
            Option_COM[i - 1]->setEnabled(false);
            setBackColor(Option_COM[i - 1], QB_HELLGRAU);
            setBackColor(Text1[i - 1], QB_HELLGRAU);
        }
        port.close();
    }
    if (first > 0) {
        waehle(first - 1);
        port.setPortNumber(first);
    } else {
        // No port opened: the number stays at the last one tried, and no option claims
        // to be the port in use.
        m_optionen->setExclusive(false);
        for (QRadioButton* option : Option_COM)
            option->setChecked(false);
        m_optionen->setExclusive(true);
    }
}

void ComPortPanel::Command_SETTINGS_EDIT_Click() {
    SerialPort& port = m_ctx.MSComm1();
    const QString answer =
        m_ctx.prompter.input(tr("Wert eingeben"), tr("COM-PORT-SETTINGS"), port.settings());
    if (answer.isEmpty())
        return;
    // A string no port takes is refused here: stored, it would come back at every start.
    if (!parsePortSettings(answer)) {
        m_ctx.prompter.message(tr("Fehler: \"%1\" sind keine COM-PORT-SETTINGS\r\n"
                                  "Beispiel: 19200,n,8,1 (Baud,Parität,Bits,Stopbits)")
                                   .arg(answer.left(40)));
        return;
    }
    port.close();
    m_ctx.link.COM_SETTINGS = answer;
    port.setSettings(answer); // a string the port rejects leaves the old settings in force
    Text_SETTINGS->setText(port.settings());
    datei::Grund grund;
    if (!SETTINGS_INI_SPEICHERN(m_ctx.PROGRAMM_PFAD, m_ctx.link.COM_SETTINGS, &grund))
        m_ctx.prompter.message(
            nichtGeschrieben(m_ctx.PROGRAMM_PFAD + QStringLiteral("settings.ini"), grund));
}

void ComPortPanel::Command_PORT_OPEN_Click() {
    m_ctx.MSComm1().open();
}

void ComPortPanel::Command_PORT_CLOSE_Click() {
    m_ctx.MSComm1().close();
}

void ComPortPanel::Check_DTR_Click() {
    m_ctx.MSComm1().setDtr(Check_DTR->isChecked());
}

void ComPortPanel::Check_RTS_Click() {
    m_ctx.MSComm1().setRts(Check_RTS->isChecked());
}

void ComPortPanel::tick(TickSchritt step) {
    const SerialPort& port = m_ctx.MSComm1();
    switch (step) {
    case TickSchritt::PortFarben:
        for (int i = 1; i <= ANZAHL_PORTS; ++i) {
            const int farbe = i != m_ctx.link.COM_PORT_NR ? QB_HELLGRAU
                              : port.isOpen()             ? QB_HELLGRUEN
                                                          : QB_HELLGELB;
            setBackColor(Option_COM[i - 1], farbe);
        }
        break;
    case TickSchritt::Rts:
        setBackColor(Text_RTS, port.rts() ? QB_HELLGRUEN : QB_HELLROT);
        break;
    case TickSchritt::Dtr:
        setBackColor(Text_DTR, port.dtr() ? QB_HELLGRUEN : QB_HELLROT);
        break;
    default:
        break;
    }
}

} // namespace zelmar
