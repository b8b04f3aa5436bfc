#include "transmitterframe.h"

#include "registerpanel.h"
#include "schritt.h"

#include "shell/appcontext.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QGridLayout>

namespace zelmar {

namespace {

const char* const kByteKnopf[4] = {"D", "F", "H", "J"};
const char* const kByteZeile[4] = {"E", "G", "I", "K"};

} // namespace

TransmitterFrame::TransmitterFrame(AppContext& ctx, RegisterPanel& panel, QWidget* parent)
    : QGroupBox(tr("MASTER TRANSMITTER"), parent), m_ctx(ctx), m_panel(panel) {
    setObjectName(QStringLiteral("Frame_MT"));
    bauen();
    verbinden();
}

void TransmitterFrame::bauen() {
    Command_A = steuer::knopf(tr("START"), QStringLiteral("Command_A"), this);
    Command_B = steuer::knopf(tr("ADRESSE"), QStringLiteral("Command_B"), this);
    Command_L = steuer::knopf(tr("STOP"), QStringLiteral("Command_L"), this);
    Check_A = freigabeBox(QStringLiteral("Check_A"), this);
    Check_C = freigabeBox(QStringLiteral("Check_C"), this);
    Check_L = freigabeBox(QStringLiteral("Check_L"), this);
    Text_STATUS_A = statusFeld(QStringLiteral("Text_STATUS_A"), this);
    Text_STATUS_C = statusFeld(QStringLiteral("Text_STATUS_C"), this);
    Text_STATUS_L = statusFeld(QStringLiteral("Text_STATUS_L"), this);
    const int datenBreite = fontMetrics().horizontalAdvance(QStringLiteral("-32768")) + 14;
    for (int n = 0; n < 4; ++n) {
        const QString zeile = QLatin1String(kByteZeile[n]);
        Command_BYTE[n] =
            steuer::knopf(tr("BYTE senden"), QStringLiteral("Command_") + kByteKnopf[n], this);
        Check_BYTE[n] = freigabeBox(QStringLiteral("Check_") + zeile, this);
        Text_BYTE[n] = steuer::eingabe(QStringLiteral("Text_") + zeile, QStringLiteral("0"), this);
        Text_BYTE[n]->setFixedWidth(datenBreite);
        Text_BYTE[n]->setAlignment(Qt::AlignRight);
        Text_STATUS_BYTE[n] = statusFeld(QStringLiteral("Text_STATUS_") + zeile, this);
    }
    Check_TWI_OFF = steuer::haken(tr("TWI off"), QStringLiteral("Check_TWI_OFF"), false, this);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    auto zeile = [&](int r, QPushButton* knopf, QCheckBox* haken, QWidget* daten, QLineEdit* status,
                     const QString& erwartet) {
        grid->addWidget(knopf, r, 0);
        grid->addWidget(haken, r, 1);
        if (daten)
            grid->addWidget(daten, r, 2);
        grid->addWidget(status, r, 3);
        grid->addWidget(new QLabel(erwartet, this), r, 4);
    };
    zeile(0, Command_A, Check_A, nullptr, Text_STATUS_A, QStringLiteral("x08, x10"));
    zeile(1, Command_B, Check_C, nullptr, Text_STATUS_C, QStringLiteral("x18"));
    for (int n = 0; n < 4; ++n)
        zeile(2 + n, Command_BYTE[n], Check_BYTE[n], Text_BYTE[n], Text_STATUS_BYTE[n],
              QStringLiteral("x28"));
    zeile(6, Command_L, Check_L, Check_TWI_OFF, Text_STATUS_L, QStringLiteral("xF8"));
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(7, 1);
}

void TransmitterFrame::verbinden() {
    using F = TransmitterFrame;
    guardedConnect(Command_A, &QPushButton::clicked, this, &F::Command_A_Click);
    guardedConnect(Command_B, &QPushButton::clicked, this, &F::Command_B_Click);
    void (F::*const bytes[4])() = {&F::Command_D_Click, &F::Command_F_Click, &F::Command_H_Click,
                                   &F::Command_J_Click};
    for (int n = 0; n < 4; ++n)
        guardedConnect(Command_BYTE[n], &QPushButton::clicked, this, bytes[n]);
    guardedConnect(Command_L, &QPushButton::clicked, this, &F::Command_L_Click);
}

std::vector<std::function<void()>> TransmitterFrame::schritte() {
    return {[this] { Command_A_Click(); }, [this] { Command_B_Click(); },
            [this] { Command_D_Click(); }, [this] { Command_F_Click(); },
            [this] { Command_H_Click(); }, [this] { Command_J_Click(); },
            [this] { Command_L_Click(); }};
}

// START also opens a new run when its own row is disabled: the latch and the display are
// reset before the box is looked at.
void TransmitterFrame::Command_A_Click() {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    Link& link = m_ctx.link;
    link.STATUS_CODE = STATUS_OK;
    for (QLineEdit* s : {Text_STATUS_A, Text_STATUS_C, Text_STATUS_BYTE[0], Text_STATUS_BYTE[1],
                         Text_STATUS_BYTE[2], Text_STATUS_BYTE[3], Text_STATUS_L}) {
        setBackColor(s, QB_HELLGRAU);
        statusLeeren(s);
    }
    setBackColor(Check_TWI_OFF, QB_HELLGRAU);
    if (!Check_A->isChecked())
        return;
    Schritt s;
    s.status = Text_STATUS_A;
    s.erwartet = QStringList{QStringLiteral("8"), QStringLiteral("10")};
    s.fehlerCode = 100;
    s.twcr = twcr::TWINT | twcr::TWSTA | twcr::TWEN;
    ausfuehren(m_panel, link, s);
}

// The latch is looked at before the field is cleared: a blocked address step keeps what the
// failed run showed.
void TransmitterFrame::Command_B_Click() {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    Link& link = m_ctx.link;
    if (!Check_C->isChecked() || link.STATUS_CODE > 0)
        return;
    statusLeeren(Text_STATUS_C);
    Schritt s;
    s.status = Text_STATUS_C;
    s.erwartet = QStringList{QStringLiteral("18")};
    s.fehlerCode = 110;
    s.byte = link.SLAVE_ADRESSE * 2; // write bit 0
    s.twcr = twcr::TWINT | twcr::TWEN;
    s.rotNachWarten = true;
    ausfuehren(m_panel, link, s);
}

void TransmitterFrame::byteSenden(int n) {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    if (!Check_BYTE[n]->isChecked())
        return;
    QLineEdit* status = Text_STATUS_BYTE[n];
    statusLeeren(status);
    Link& link = m_ctx.link;
    if (link.STATUS_CODE > 0)
        return;
    const qint16 fehlerCode = qint16(120 + n);
    int wert = 0;
    if (!parseWholeNumber(Text_BYTE[n]->text(), &wert) || wert < -32768 || wert > 32767) {
        // Nothing goes out, and the bytes after it must not go out in its place.
        statusFehler(status, tr("keine ganze Zahl von -32768 bis 32767, nichts gesendet"));
        link.STATUS_CODE = fehlerCode;
        return;
    }
    Schritt s;
    s.status = status;
    s.erwartet = QStringList{QStringLiteral("28")};
    s.fehlerCode = fehlerCode;
    s.byte = wert;
    s.twcr = twcr::TWINT | twcr::TWEN;
    ausfuehren(m_panel, link, s);
}

void TransmitterFrame::Command_D_Click() {
    byteSenden(0);
}
void TransmitterFrame::Command_F_Click() {
    byteSenden(1);
}
void TransmitterFrame::Command_H_Click() {
    byteSenden(2);
}
void TransmitterFrame::Command_J_Click() {
    byteSenden(3);
}

// Not gated: the bus is let go after a failed step too.
void TransmitterFrame::Command_L_Click() {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    if (!Check_L->isChecked())
        return;
    statusLeeren(Text_STATUS_L);
    Schritt s;
    s.status = Text_STATUS_L;
    s.erwartet = QStringList{QStringLiteral("F8")};
    s.twcr = twcr::TWINT | twcr::TWSTO | twcr::TWEN;
    s.danach = Schritt::Danach::Nichts; // a STOP sets no TWINT
    if (ausfuehren(m_panel, m_ctx.link, s) != Ergebnis::Abbruch && Check_TWI_OFF->isChecked())
        twiAusschalten(m_panel, Check_TWI_OFF);
}

} // namespace zelmar
