#include "receiverframe.h"

#include "registerpanel.h"
#include "schritt.h"

#include "shell/appcontext.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QGridLayout>

namespace zelmar {

namespace {

const char* const kKnopf[4] = {"D", "F", "H", "J"};
const char* const kFeld[4] = {"E", "G", "I", "K"};

QLineEdit* feld(const QString& name, QWidget* parent, const QString& muster) {
    QLineEdit* f = steuer::anzeige(name, parent);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(muster) + 28);
    return f;
}

QString infoText(const QStringList& zeilen) {
    return zeilen.join(QStringLiteral("\n\t"));
}

} // namespace

ReceiverFrame::ReceiverFrame(AppContext& ctx, RegisterPanel& panel, QWidget* parent)
    : QGroupBox(tr("MASTER RECEIVER"), parent), m_ctx(ctx), m_panel(panel) {
    setObjectName(QStringLiteral("Frame_MR"));
    bauen();
    verbinden();
}

void ReceiverFrame::bauen() {
    Command_MR_A = steuer::knopf(tr("START"), QStringLiteral("Command_MR_A"), this);
    Command_MR_B = steuer::knopf(tr("ADRESSE"), QStringLiteral("Command_MR_B"), this);
    Command_MR_L = steuer::knopf(tr("STOP"), QStringLiteral("Command_MR_L"), this);
    Command_MR_L->setEnabled(false);
    Check_MR_A = freigabeBox(QStringLiteral("Check_MR_A"), this);
    Check_MR_C = freigabeBox(QStringLiteral("Check_MR_C"), this);
    Check_MR_L = freigabeBox(QStringLiteral("Check_MR_L"), this);
    Text_MR_STATUS_A = statusFeld(QStringLiteral("Text_MR_STATUS_A"), this);
    Text_MR_STATUS_C = statusFeld(QStringLiteral("Text_MR_STATUS_C"), this);
    Text_MR_STATUS_L = statusFeld(QStringLiteral("Text_MR_STATUS_L"), this);
    for (int n = 0; n < 4; ++n) {
        const QString knopf = QLatin1String(kKnopf[n]);
        const QString f = QLatin1String(kFeld[n]);
        Command_MR_BYTE[n] = steuer::knopf(tr("%1.BYTE holen").arg(n + 1),
                                           QStringLiteral("Command_MR_") + knopf, this);
        Check_MR_BYTE[n] = freigabeBox(QStringLiteral("Check_MR_") + knopf, this);
        Text_MR_DEZ[n] = feld(QStringLiteral("Text_MR_") + f, this, QStringLiteral("255"));
        Text_MR_HEX[n] = feld(QStringLiteral("Text_MR_%1_HEX").arg(f), this, QStringLiteral("FF"));
        Text_MR_ASC[n] = feld(QStringLiteral("Text_MR_%1_ASC").arg(f), this, QStringLiteral("W"));
        for (QLineEdit* b : {Text_MR_DEZ[n], Text_MR_HEX[n], Text_MR_ASC[n]})
            b->setToolTip(tr("DATEN vom SLAVE"));
        Text_MR_STATUS_BYTE[n] = statusFeld(QStringLiteral("Text_MR_STATUS_") + knopf, this);
    }
    Text_MR_SUMME = steuer::anzeige(QStringLiteral("Text_MR_SUMME"), this, tr("SUMME "));
    Text_MR_SUMME->setToolTip(tr("SUMME von BYTE 2+3+4"));
    Text_MR_SUMME->setAlignment(Qt::AlignRight);
    Command16 = steuer::knopf(QStringLiteral("?"), QStringLiteral("Command16"), this);
    Command12 = steuer::knopf(QStringLiteral("?"), QStringLiteral("Command12"), this);
    for (QPushButton* b : {Command16, Command12})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("?")) + 20);
    Check_MR_TWI_OFF =
        steuer::haken(tr("TWI off"), QStringLiteral("Check_MR_TWI_OFF"), false, this);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(3);
    const char* const kopf[3] = {QT_TR_NOOP("dez"), QT_TR_NOOP("hex"), QT_TR_NOOP("asc")};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(tr(kopf[i]), this);
        l->setAlignment(Qt::AlignCenter);
        grid->addWidget(l, 0, 2 + i);
    }
    auto zeile = [&](int r, QPushButton* knopf, QCheckBox* haken, QLineEdit* status,
                     const QString& erwartet, const QString& twea) {
        grid->addWidget(knopf, r, 0);
        grid->addWidget(haken, r, 1);
        grid->addWidget(status, r, 5);
        grid->addWidget(new QLabel(erwartet, this), r, 6);
        if (!twea.isEmpty())
            grid->addWidget(new QLabel(twea, this), r, 7);
    };
    zeile(1, Command_MR_A, Check_MR_A, Text_MR_STATUS_A, QStringLiteral("x08, x10"), {});
    zeile(2, Command_MR_B, Check_MR_C, Text_MR_STATUS_C, QStringLiteral("x40"), {});
    for (int n = 0; n < 4; ++n) {
        zeile(3 + n, Command_MR_BYTE[n], Check_MR_BYTE[n], Text_MR_STATUS_BYTE[n],
              n < 3 ? QStringLiteral("x50") : QStringLiteral("x58"),
              n < 3 ? QStringLiteral("1<<TWEA") : QStringLiteral("0<<TWEA"));
        grid->addWidget(Text_MR_DEZ[n], 3 + n, 2);
        grid->addWidget(Text_MR_HEX[n], 3 + n, 3);
        grid->addWidget(Text_MR_ASC[n], 3 + n, 4);
    }
    grid->addWidget(Command16, 3, 8);
    grid->addWidget(Command12, 6, 8);
    zeile(7, Command_MR_L, Check_MR_L, Text_MR_STATUS_L, QStringLiteral("xF8"), {});
    grid->addWidget(Check_MR_TWI_OFF, 7, 2, 1, 3);
    auto* summe = new QLabel(tr("SUMME dizimal"), this);
    summe->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(summe, 8, 0, 1, 2);
    grid->addWidget(Text_MR_SUMME, 8, 2, 1, 4);
    grid->setColumnStretch(9, 1);
    grid->setRowStretch(9, 1);
}

void ReceiverFrame::verbinden() {
    using F = ReceiverFrame;
    guardedConnect(Command_MR_A, &QPushButton::clicked, this, &F::Command_MR_A_Click);
    guardedConnect(Command_MR_B, &QPushButton::clicked, this, &F::Command_MR_B_Click);
    void (F::*const bytes[4])() = {&F::Command_MR_D_Click, &F::Command_MR_F_Click,
                                   &F::Command_MR_H_Click, &F::Command_MR_J_Click};
    for (int n = 0; n < 4; ++n)
        guardedConnect(Command_MR_BYTE[n], &QPushButton::clicked, this, bytes[n]);
    guardedConnect(Command_MR_L, &QPushButton::clicked, this, &F::Command_MR_L_Click);
    guardedConnect(Command16, &QPushButton::clicked, this, &F::Command16_Click);
    guardedConnect(Command12, &QPushButton::clicked, this, &F::Command12_Click);
}

std::vector<std::function<void()>> ReceiverFrame::schritte() {
    return {[this] { Command_MR_A_Click(); }, [this] { Command_MR_B_Click(); },
            [this] { Command_MR_D_Click(); }, [this] { Command_MR_F_Click(); },
            [this] { Command_MR_H_Click(); }, [this] { Command_MR_J_Click(); },
            [this] { Command_MR_L_Click(); }};
}

void ReceiverFrame::Command_MR_A_Click() {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    Link& link = m_ctx.link;
    link.STATUS_CODE = STATUS_OK;
    Command_MR_L->setEnabled(false);
    for (QLineEdit* s :
         {Text_MR_STATUS_A, Text_MR_STATUS_C, Text_MR_STATUS_BYTE[0], Text_MR_STATUS_BYTE[1],
          Text_MR_STATUS_BYTE[2], Text_MR_STATUS_BYTE[3], Text_MR_STATUS_L}) {
        setBackColor(s, QB_HELLGRAU);
        statusLeeren(s);
    }
    setBackColor(Check_MR_TWI_OFF, QB_HELLGRAU);
    if (!Check_MR_A->isChecked())
        return;
    // Hex, character and sum stay: they show the last transfer until its rows run again.
    for (QLineEdit* dez : Text_MR_DEZ)
        dez->clear();
    Schritt s;
    s.status = Text_MR_STATUS_A;
    s.erwartet = QStringList{QStringLiteral("8"), QStringLiteral("10")};
    s.fehlerCode = 200;
    s.twcr = twcr::TWINT | twcr::TWSTA | twcr::TWEN;
    ausfuehren(m_panel, link, s);
}

void ReceiverFrame::Command_MR_B_Click() {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    Link& link = m_ctx.link;
    if (!Check_MR_C->isChecked() || link.STATUS_CODE > 0)
        return;
    statusLeeren(Text_MR_STATUS_C);
    Schritt s;
    s.status = Text_MR_STATUS_C;
    s.erwartet = QStringList{QStringLiteral("40")};
    s.fehlerCode = 210;
    s.byte = link.SLAVE_ADRESSE * 2 + 1; // read bit 1
    s.twcr = twcr::TWINT | twcr::TWEN;
    ausfuehren(m_panel, link, s);
}

// Bytes 1 to 3 are acknowledged (the slave may send more), byte 4 is not (the last one).
void ReceiverFrame::byteHolen(int n) {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    if (!Check_MR_BYTE[n]->isChecked())
        return;
    statusLeeren(Text_MR_STATUS_BYTE[n]);
    for (QLineEdit* f : {Text_MR_DEZ[n], Text_MR_HEX[n], Text_MR_ASC[n]})
        f->clear();
    const bool letztes = n == 3;
    // STOP becomes available even when the latch blocks the fetch.
    if (letztes)
        Command_MR_L->setEnabled(true);
    Link& link = m_ctx.link;
    if (link.STATUS_CODE > 0)
        return;
    Schritt s;
    s.status = Text_MR_STATUS_BYTE[n];
    s.erwartet = QStringList{letztes ? QStringLiteral("58") : QStringLiteral("50")};
    s.fehlerCode = qint16(n == 0 ? 220 : 120 + n);
    s.twcr = letztes ? (twcr::TWINT | twcr::TWEN) : (twcr::TWINT | twcr::TWEA | twcr::TWEN);
    const Ergebnis ergebnis = ausfuehren(m_panel, link, s);
    if (ergebnis == Ergebnis::Abbruch)
        return;
    // What the data register holds is shown whatever the status said.
    if (!m_panel.lesen(TwiRegister::TWDR))
        return;
    const quint8 b = m_panel.wert(TwiRegister::TWDR);
    Text_MR_DEZ[n]->setText(QString::number(b));
    Text_MR_HEX[n]->setText(QString::number(b, 16).toUpper());
    Text_MR_ASC[n]->setText(ansiZeichen(b));
    // The TWDR read must not release the latch of a failed fetch.
    if (ergebnis == Ergebnis::Falsch)
        link.STATUS_CODE = s.fehlerCode;
    if (letztes)
        summe();
}

void ReceiverFrame::Command_MR_D_Click() {
    byteHolen(0);
}
void ReceiverFrame::Command_MR_F_Click() {
    byteHolen(1);
}
void ReceiverFrame::Command_MR_H_Click() {
    byteHolen(2);
}
void ReceiverFrame::Command_MR_J_Click() {
    byteHolen(3);
}

// Byte 2 is the least significant; a row that did not fetch this time leaves the old sum.
void ReceiverFrame::summe() {
    int b2 = 0, b3 = 0, b4 = 0;
    if (!parseWholeNumber(Text_MR_DEZ[1]->text(), &b2) ||
        !parseWholeNumber(Text_MR_DEZ[2]->text(), &b3) ||
        !parseWholeNumber(Text_MR_DEZ[3]->text(), &b4))
        return;
    Text_MR_SUMME->setText(QString::number(qint64(b2) + 256LL * b3 + 65536LL * b4));
}

// After the STOP a TWCR read instead of the TWINT wait: a STOP sets no TWINT.
void ReceiverFrame::Command_MR_L_Click() {
    RegisterPanel::Vorgang vorgang(m_panel);
    if (!vorgang.frei())
        return;
    if (!Check_MR_L->isChecked())
        return;
    statusLeeren(Text_MR_STATUS_L);
    Schritt s;
    s.status = Text_MR_STATUS_L;
    s.erwartet = QStringList{QStringLiteral("F8")};
    s.twcr = twcr::TWINT | twcr::TWSTO | twcr::TWEN;
    s.danach = Schritt::Danach::TwcrLesen;
    if (ausfuehren(m_panel, m_ctx.link, s) != Ergebnis::Abbruch && Check_MR_TWI_OFF->isChecked())
        twiAusschalten(m_panel, Check_MR_TWI_OFF);
}

void ReceiverFrame::Command16_Click() {
    m_ctx.prompter.message(infoText({tr("mehrere Zeichen empfangen"), QString(),
                                     tr("senden -ACK- (TWEA=1) für mehrere Daten-Bytes"), QString(),
                                     QStringLiteral("ldi temp, (1<<TWINT | 1<<TWEA  | 1<<TWEN )"),
                                     QStringLiteral("out TWCR, temp")}));
}

void ReceiverFrame::Command12_Click() {
    m_ctx.prompter.message(
        infoText({tr("letztes Zeichen oder nur ein Zeichen empfangen"), QString(), QString(),
                  tr("senden -NOT ACK- (TWEA=0) für letztes bzw für ein Daten-Byte"), QString(),
                  QStringLiteral("ldi temp, (1<<TWINT | 0<<TWEA  | 1<<TWEN )"),
                  QStringLiteral("out TWCR, temp")}));
}

} // namespace zelmar
