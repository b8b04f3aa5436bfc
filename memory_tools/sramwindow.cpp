#include "sramwindow.h"

#include "link/memory.h"
#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/windownames.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmar {

namespace {

const QColor kWertGrund(224, 224, 224);
const char* const kZeile = "zelmarZeile";
// The rows stand in three columns: 0..32, 33..65, 66..99.
constexpr int kSpaltenAnfang[] = {0, 33, 66, SramWindow::ZEILEN};

QString bereichText(qint64 wert) {
    return SramWindow::tr("%1 ungültig, erlaubt 0...%2").arg(wert).arg(sram::HOECHSTE_ADRESSE);
}

} // namespace

SramWindow::SramWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::SRAM);
    setWindowTitle(tr("SRAM"));
    bauen();
    verbinden();
    // The first read once the window stands.
    Timer1->start();
}

QWidget* SramWindow::zeilenSpalte(int von, int bis) {
    const QFontMetrics fm = fontMetrics();
    const int hoehe = fm.height() + 5;
    const int labelBreite = fm.horizontalAdvance(QStringLiteral("0x20(1) (0x40)(1) 65535")) + 12;
    const int wertBreite = fm.horizontalAdvance(QStringLiteral("0000")) + 12;
    auto* spalte = new QWidget(this);
    auto* grid = new QGridLayout(spalte);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    for (int i = von; i < bis; ++i) {
        QLineEdit* label = steuer::anzeige(QStringLiteral("Text_BEMERKUNG_%1").arg(i), spalte,
                                           QStringLiteral("..."));
        label->setFixedSize(labelBreite, hoehe);
        setBackColor(label, QB_HELLGRAU);
        QLineEdit* wert =
            steuer::eingabe(QStringLiteral("Text_WERT_%1").arg(i), QStringLiteral("..."), spalte);
        wert->setFixedSize(wertBreite, hoehe);
        wert->setAlignment(Qt::AlignCenter);
        wert->setProperty(kZeile, i);
        wert->installEventFilter(this);
        setBackColor(wert, kWertGrund);
        QPushButton* w =
            steuer::knopf(tr("w"), QStringLiteral("Command_schreiben_%1").arg(i), spalte);
        w->setFixedSize(hoehe + 4, hoehe);
        w->setToolTip(tr("den WERT dieser Zeile schreiben"));
        const int z = i - von;
        grid->addWidget(label, z, 0);
        grid->addWidget(wert, z, 1);
        grid->addWidget(w, z, 2);
        Text_BEMERKUNG[size_t(i)] = label;
        Text_WERT[size_t(i)] = wert;
        Command_schreiben[size_t(i)] = w;
    }
    grid->setRowStretch(bis - von, 1);
    return spalte;
}

void SramWindow::bauen() {
    auto* zeilen = new QHBoxLayout;
    zeilen->setSpacing(14);
    for (int s = 0; s < 3; ++s)
        zeilen->addWidget(zeilenSpalte(kSpaltenAnfang[s], kSpaltenAnfang[s + 1]));

    Frame1 = new QGroupBox(tr("Darstellung"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option_HEX = steuer::option(tr("hex"), QStringLiteral("Option_HEX"), Frame1);
    Option_CHR = steuer::option(tr("chr"), QStringLiteral("Option_CHR"), Frame1);
    Option_DEZ = steuer::option(tr("dez"), QStringLiteral("Option_DEZ"), Frame1);
    Option_DEZ->setChecked(true);
    auto* darstellung = new QVBoxLayout(Frame1);
    for (QRadioButton* o : {Option_HEX, Option_CHR, Option_DEZ})
        darstellung->addWidget(o);

    Frame6 = new QGroupBox(tr("SRAM auslesen"), this);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    Label22 = steuer::beschriftung(tr("Startposition dezimal:"), QStringLiteral("Label22"), Frame6);
    Text_SRAM_STARTADRESSE_DEZIMAL =
        steuer::eingabe(QStringLiteral("Text_SRAM_STARTADRESSE_DEZIMAL"), QStringLiteral("0"),
                        Frame6, tr("Adresse der ersten Zeile, 0...65535"));
    Command3 = steuer::knopf(tr("+100"), QStringLiteral("Command3"), Frame6);
    Command4 = steuer::knopf(tr("-100"), QStringLiteral("Command4"), Frame6);
    Command_ANZEIGE = steuer::knopf(tr("ANZEIGE"), QStringLiteral("Command_ANZEIGE"), Frame6);
    Command_ANZEIGE->setToolTip(tr("die gelesenen Werte in der gewählten Darstellung"));
    Command_lesen = steuer::knopf(tr("REFRESH"), QStringLiteral("Command_lesen"), Frame6);
    Check_REPEAD = steuer::haken(tr("repead"), QStringLiteral("Check_REPEAD"), false, Frame6);
    auto* blaettern = new QHBoxLayout;
    blaettern->addWidget(Command4);
    blaettern->addWidget(Command3);
    auto* auslesen = new QVBoxLayout(Frame6);
    auslesen->addWidget(Label22);
    auslesen->addWidget(Text_SRAM_STARTADRESSE_DEZIMAL);
    auslesen->addLayout(blaettern);
    auslesen->addWidget(Command_ANZEIGE);
    auslesen->addWidget(Command_lesen);
    auslesen->addWidget(Check_REPEAD);

    Command2 = steuer::knopf(tr("close"), QStringLiteral("Command2"), this);
    Command1 = steuer::knopf(tr("END"), QStringLiteral("Command1"), this);

    auto* seite = new QVBoxLayout;
    seite->addWidget(Frame1);
    seite->addWidget(Frame6);
    seite->addStretch(1);
    seite->addWidget(Command2);
    seite->addSpacing(8);
    seite->addWidget(Command1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(16);
    layout->addLayout(zeilen);
    layout->addLayout(seite);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
}

void SramWindow::verbinden() {
    for (int i = 0; i < ZEILEN; ++i) {
        guardedConnect(Command_schreiben[size_t(i)], &QPushButton::clicked, this,
                       &SramWindow::Command_schreiben_Click, i);
        guardedConnect(Text_WERT[size_t(i)], &QLineEdit::textEdited, this,
                       &SramWindow::Text_WERT_Change, i);
    }
    guardedConnect(Command_lesen, &QPushButton::clicked, this, &SramWindow::Command_lesen_Click);
    guardedConnect(Command_ANZEIGE, &QPushButton::clicked, this,
                   &SramWindow::Command_ANZEIGE_Click);
    guardedConnect(Check_REPEAD, &QCheckBox::toggled, this, &SramWindow::Check_REPEAD_Click);
    guardedConnect(Command3, &QPushButton::clicked, this, &SramWindow::Command3_Click);
    guardedConnect(Command4, &QPushButton::clicked, this, &SramWindow::Command4_Click);
    guardedConnect(Command2, &QPushButton::clicked, this, &SramWindow::Command2_Click);
    guardedConnect(Command1, &QPushButton::clicked, this, &SramWindow::Command1_Click);
    guardedConnect(Timer1, &QTimer::timeout, this, &SramWindow::Timer1_Timer);
}

bool SramWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant zeile = watched->property(kZeile);
        if (zeile.isValid()) {
            UnloadGate::Scope scope(this);
            Text_WERT_Click(zeile.toInt());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SramWindow::closeEvent(QCloseEvent* event) {
    m_zu = true;
    Timer1->stop();
    QWidget::closeEvent(event);
}

qint64 SramWindow::startAdresse() const {
    return sram::fuehrendeZahl(Text_SRAM_STARTADRESSE_DEZIMAL->text());
}

sram::Darstellung SramWindow::darstellung() const {
    if (Option_HEX->isChecked())
        return sram::Darstellung::Hex;
    if (Option_CHR->isChecked())
        return sram::Darstellung::Chr;
    return sram::Darstellung::Dez;
}

void SramWindow::repeatBeenden() {
    Check_REPEAD->setChecked(false);
    if (m_lauf)
        m_lauf->cancel();
}

// --- reading ---

void SramWindow::Command_lesen_Click() {
    SRAM_LESEN();
}

void SramWindow::SRAM_LESEN() {
    // A read under way takes the start box as it stands at its next pass.
    if (m_zu || m_lauf)
        return;
    auto phase = [this](bool (SramWindow::*f)()) {
        return [this, f] {
            UnloadGate::Scope scope(this);
            return (this->*f)();
        };
    };
    m_lauf = new Repetition(
        m_ctx.link, {{phase(&SramWindow::zeigerSetzen), 0}, {phase(&SramWindow::blockLesen), 0}},
        [this] { return Check_REPEAD->isChecked(); });
    m_lauf->bindTo(this);
    connect(m_lauf, &Job::ended, this, [this] { m_lauf = nullptr; });
    m_lauf->start();
}

bool SramWindow::zeigerSetzen() {
    const qint64 start = startAdresse();
    if (start < 0 || start > sram::HOECHSTE_ADRESSE) {
        m_ctx.prompter.message(tr("Fehler: STARTPOSITION ") + bereichText(start));
        return false;
    }
    m_passAb = start;
    m_passSlave = m_ctx.link.SLAVE_ADRESSE;
    const SpeicherAntwort e = SRAM_ZEIGER_SETZEN(m_ctx.link, m_passSlave, int(start));
    // The engine has reported a refusal once; a repetition would only repeat it.
    if (e == SpeicherAntwort::NichtGesendet)
        return false;
    m_zeigerOk = e == SpeicherAntwort::Ok;
    return true;
}

bool SramWindow::blockLesen() {
    const SpeicherAntwort e = SRAM_BLOCK_LESEN(m_ctx.link, m_passSlave, ZEILEN);
    if (e == SpeicherAntwort::NichtGesendet)
        return false;
    // Bytes the slave did not send, or sent from a pointer it never took, are nobody's memory.
    const bool gelesen =
        m_zeigerOk && (e == SpeicherAntwort::Ok || e == SpeicherAntwort::SchlussFalsch);
    m_werte = gelesen ? Werte::Gelesen : Werte::Fehler;
    m_bytes = gelesen ? e.antwort.bytes : QByteArray();
    m_werteAb = m_passAb;
    SRAM_ANZEIGEN();
    return true;
}

// --- display ---

void SramWindow::Command_ANZEIGE_Click() {
    SRAM_ANZEIGEN();
}

void SramWindow::SRAM_ANZEIGEN() {
    if (Text_SRAM_STARTADRESSE_DEZIMAL->text().isEmpty())
        Text_SRAM_STARTADRESSE_DEZIMAL->setText(QStringLiteral("0"));
    // The labels name the addresses of the values shown, even when the start box has been
    // changed since they were read.
    const qint64 ab = m_werte == Werte::Keine ? startAdresse() : m_werteAb;
    const sram::Darstellung d = darstellung();
    const bool repeat = Check_REPEAD->isChecked();
    for (int i = 0; i < ZEILEN; ++i) {
        setTextIfChanged(Text_BEMERKUNG[size_t(i)], sram::zeilenText(ab, i));
        QLineEdit* box = Text_WERT[size_t(i)];
        if (m_werte == Werte::Fehler) {
            setTextIfChanged(box, QStringLiteral("-"));
            setBackColor(box, QB_HELLROT);
            ALTE_WERTE[size_t(i)] = box->text();
            m_herkunft[size_t(i)] = Herkunft::Getippt;
            continue;
        }
        if (m_werte == Werte::Gelesen) {
            const auto b = quint8(m_bytes.at(i));
            setTextIfChanged(box, sram::wertText(b, d));
            m_herkunft[size_t(i)] = d == sram::Darstellung::Hex   ? Herkunft::Hex
                                    : d == sram::Darstellung::Chr ? Herkunft::Chr
                                                                  : Herkunft::Dez;
        }
        // The text shown decides, not the byte: in "chr" the character "0" (48) is grey.
        const bool null = box->text() == QStringLiteral("0") || box->text() == QStringLiteral("00");
        const bool markiert = repeat ? box->text() != ALTE_WERTE[size_t(i)] : !null;
        setBackColor(box, markiert ? QB_HELLGELB : QB_HELLGRAU);
        ALTE_WERTE[size_t(i)] = box->text();
    }
}

// --- writing ---

void SramWindow::Command_schreiben_Click(int i) {
    SRAM_BYTE_SCHREIBEN(i);
}

void SramWindow::SRAM_BYTE_SCHREIBEN(int i) {
    QLineEdit* box = Text_WERT[size_t(i)];
    const QString text = box->text();
    auto ablehnen = [&](const QString& grund) {
        setBackColor(box, QB_HELLROT);
        m_ctx.prompter.message(grund + tr("\r\nerlaubt: 0...255 (dezimal)"));
    };
    // What a hex or character display put there is no decimal number, even where it looks like
    // one ("10" in hex is 16).
    const Herkunft h = m_herkunft[size_t(i)];
    if (h == Herkunft::Hex || h == Herkunft::Chr) {
        ablehnen(tr("Fehler: der WERT \"%1\" ist %2 dargestellt")
                     .arg(text, h == Herkunft::Hex ? tr("hexadezimal") : tr("als Zeichen")));
        return;
    }
    quint8 wert = 0;
    if (!parseDecimalByte(text, &wert)) {
        ablehnen(text.trimmed().isEmpty() ? tr("Fehler: kein WERT eingegeben")
                                          : tr("Fehler: WERT \"%1\" ungültig").arg(text));
        return;
    }
    const qint64 adresse = (m_werte == Werte::Keine ? startAdresse() : m_werteAb) + i;
    if (adresse < 0 || adresse > sram::HOECHSTE_ADRESSE) {
        setBackColor(box, QB_HELLROT);
        m_ctx.prompter.message(tr("Fehler: ADRESSE ") + bereichText(adresse));
        return;
    }
    // A reply still awaited refuses the frame with "DATEN werden noch empfangen".
    const SpeicherAntwort e =
        SRAM_WERT_SCHREIBEN(m_ctx.link, m_ctx.link.SLAVE_ADRESSE, int(adresse), quint8(wert));
    if (e == SpeicherAntwort::NichtGesendet || m_zu)
        return;
    SRAM_LESEN();
}

void SramWindow::Text_WERT_Click(int i) {
    repeatBeenden();
    setBackColor(Text_WERT[size_t(i)], QB_HELLROT);
}

void SramWindow::Text_WERT_Change(int i) {
    m_herkunft[size_t(i)] = Herkunft::Getippt;
}

// --- paging, timer, repeat, close ---

void SramWindow::blaettern(int schritt) {
    // Written without a bound: a start out of range is refused by the read, and the box keeps
    // what the user sees.
    Text_SRAM_STARTADRESSE_DEZIMAL->setText(QString::number(startAdresse() + schritt));
    SRAM_LESEN();
}

void SramWindow::Command3_Click() {
    blaettern(100);
}

void SramWindow::Command4_Click() {
    blaettern(-100);
}

void SramWindow::Timer1_Timer() {
    Timer1->stop();
    SRAM_LESEN();
}

void SramWindow::Check_REPEAD_Click() {
    if (!Check_REPEAD->isChecked() && m_lauf)
        m_lauf->cancel();
}

void SramWindow::Command2_Click() {
    repeatBeenden();
    close();
}

void SramWindow::Command1_Click() {
    repeatBeenden();
    PROGRAMM_BEENDEN(m_ctx);
}

} // namespace zelmar
