#include "registerwindow.h"

#include "files/registerbemerkungen.h"
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
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zelmar {

namespace {

const QColor kNotizGrund(224, 224, 224);
const QColor kGruen(0, 255, 0);
const QColor kGelb(255, 255, 0);
const QColor kHellgelb(255, 255, 128);
const char* const kZeile = "zelmarZeile";

// R0..R25, then the pointer registers X, Y and Z by their halves.
QString registerName(int k) {
    static const char* const zeiger[] = {"XL", "XH", "YL", "YH", "ZL", "ZH"};
    return k < 26 ? QStringLiteral("R") + QString::number(k) : QString::fromLatin1(zeiger[k - 26]);
}

} // namespace

RegisterWindow::RegisterWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::REGISTER);
    setWindowTitle(QStringLiteral("---"));
    bauen();
    verbinden();
    Form_Load();
    Timer_START->start();
    Timer_ANZEIGE->start();
}

void RegisterWindow::bauen() {
    const QFontMetrics fm = fontMetrics();
    const int hoehe = fm.height() + 5;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    for (int k = 0; k < ZEILEN; ++k) {
        QLabel* label =
            steuer::beschriftung(registerName(k), QStringLiteral("Label1_%1").arg(k), this);
        label->setFixedSize(fm.horizontalAdvance(QStringLiteral("R00")) + 14, hoehe);
        label->setAlignment(Qt::AlignCenter);
        if (k >= 16)
            setBackColor(label, k < 26 ? kGruen : k < 31 ? kGelb : kHellgelb);
        QLineEdit* wert =
            steuer::eingabe(QStringLiteral("Text_REGISTER_%1").arg(k), QStringLiteral("-"), this);
        wert->setFixedSize(fm.horizontalAdvance(QStringLiteral("0000")) + 12, hoehe);
        wert->setAlignment(Qt::AlignCenter);
        wert->setProperty(kZeile, k);
        wert->installEventFilter(this);
        QPushButton* w =
            steuer::knopf(tr("w"), QStringLiteral("Command_schreiben_%1").arg(k), this);
        w->setFixedSize(hoehe + 4, hoehe);
        w->setToolTip(tr("den WERT in das Register schreiben"));
        QLineEdit* notiz = steuer::eingabe(QStringLiteral("Text_BEMERKUNGEN_%1").arg(k),
                                           QStringLiteral("..."), this);
        notiz->setFixedHeight(hoehe);
        notiz->setMinimumWidth(fm.horizontalAdvance(QLatin1Char('x')) * 60);
        setBackColor(notiz, kNotizGrund);
        grid->addWidget(label, k, 0);
        grid->addWidget(wert, k, 1);
        grid->addWidget(w, k, 2);
        grid->addWidget(notiz, k, 3);
        Label1[size_t(k)] = label;
        Text_REGISTER[size_t(k)] = wert;
        Command_schreiben[size_t(k)] = w;
        Text_BEMERKUNGEN[size_t(k)] = notiz;
    }
    grid->setColumnStretch(3, 1);

    Command_lesen = steuer::knopf(tr("REFRESH"), QStringLiteral("Command_lesen"), this);
    Check_REPEAD = steuer::haken(tr("repead"), QStringLiteral("Check_REPEAD"), false, this);
    Command1 = steuer::knopf(tr("close"), QStringLiteral("Command1"), this);
    Command2 = steuer::knopf(tr("end"), QStringLiteral("Command2"), this);
    auto* seite = new QVBoxLayout;
    seite->addWidget(Command_lesen);
    seite->addWidget(Check_REPEAD);
    seite->addStretch(1);
    seite->addWidget(Command1);
    seite->addSpacing(8);
    seite->addWidget(Command2);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(14);
    layout->addLayout(grid, 1);
    layout->addLayout(seite);

    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(100);
    Timer_ANZEIGE = new QTimer(this);
    Timer_ANZEIGE->setObjectName(QStringLiteral("Timer_ANZEIGE"));
    Timer_ANZEIGE->setInterval(100);
}

void RegisterWindow::verbinden() {
    for (int k = 0; k < ZEILEN; ++k)
        guardedConnect(Command_schreiben[size_t(k)], &QPushButton::clicked, this,
                       &RegisterWindow::Command_schreiben_Click, k);
    guardedConnect(Command_lesen, &QPushButton::clicked, this,
                   &RegisterWindow::Command_lesen_Click);
    guardedConnect(Check_REPEAD, &QCheckBox::toggled, this, &RegisterWindow::Check_REPEAD_Click);
    guardedConnect(Command1, &QPushButton::clicked, this, &RegisterWindow::Command1_Click);
    guardedConnect(Command2, &QPushButton::clicked, this, &RegisterWindow::Command2_Click);
    guardedConnect(Timer_START, &QTimer::timeout, this, &RegisterWindow::Timer_START_Timer);
    guardedConnect(Timer_ANZEIGE, &QTimer::timeout, this, &RegisterWindow::Timer_ANZEIGE_Timer);
}

// --- the notes ---

void RegisterWindow::Form_Load() {
    // The file of the slave current now; changing the slave later does not move the notes.
    m_datei = registernotizen::datei(m_ctx.DATEN_PFAD, m_ctx.link.SLAVE_ADRESSE);
    m_geladen = registernotizen::laden(m_datei);
    for (int k = 0; k < ZEILEN; ++k) {
        QLineEdit* box = Text_BEMERKUNGEN[size_t(k)];
        if (k < m_geladen.size()) {
            const QString text = registernotizen::alsText(m_geladen.at(k));
            box->setMaxLength(std::max(box->maxLength(), int(text.size())));
            box->setText(text);
            box->setCursorPosition(0);
        }
        m_gezeigt[size_t(k)] = box->text();
    }
}

void RegisterWindow::Form_Unload() {
    QList<QByteArray> zeilen;
    for (int k = 0; k < ZEILEN; ++k) {
        const QString text = Text_BEMERKUNGEN[size_t(k)]->text();
        zeilen << (k < m_geladen.size() && text == m_gezeigt[size_t(k)]
                       ? m_geladen.at(k)
                       : registernotizen::alsZeile(text));
    }
    // The notes are the user's work: losing them is worth a word.
    datei::Grund grund;
    if (!registernotizen::speichern(m_datei, zeilen, &grund))
        m_ctx.prompter.message(tr("Die BEMERKUNGEN konnten nicht gespeichert werden:\r\n") +
                               m_datei + QStringLiteral("\r\n") + grund.text());
}

void RegisterWindow::closeEvent(QCloseEvent* event) {
    if (!m_zu) {
        m_zu = true;
        Timer_START->stop();
        Timer_ANZEIGE->stop();
        Form_Unload();
    }
    QWidget::closeEvent(event);
}

// --- reading ---

void RegisterWindow::Command_lesen_Click() {
    REGISTER_LESEN();
}

void RegisterWindow::REGISTER_LESEN() {
    // A read under way goes on; its next pass is as good as a new one.
    if (m_zu || m_lauf)
        return;
    auto phase = [this](bool (RegisterWindow::*f)()) {
        return [this, f] {
            UnloadGate::Scope scope(this);
            return (this->*f)();
        };
    };
    m_lauf = new Repetition(
        m_ctx.link,
        {{phase(&RegisterWindow::anfordern), 0}, {phase(&RegisterWindow::dumpLesen), 0}},
        [this] { return Check_REPEAD->isChecked(); });
    m_lauf->bindTo(this);
    connect(m_lauf, &Job::ended, this, [this] { m_lauf = nullptr; });
    m_lauf->start();
}

bool RegisterWindow::anfordern() {
    m_passSlave = m_ctx.link.SLAVE_ADRESSE;
    // Not acknowledged, or nothing came back (a time-out reads as 0 but is no yes): the boxes
    // keep their values, silently; the status line tells a time-out.
    return REGISTER_ANFORDERN(m_ctx.link, m_passSlave) == SpeicherAntwort::Ok;
}

bool RegisterWindow::dumpLesen() {
    const SpeicherAntwort a = REGISTER_DUMP_LESEN(m_ctx.link, m_passSlave);
    switch (a.art) {
    case SpeicherAntwort::Ok: {
        std::array<quint8, ZEILEN> werte{};
        std::copy_n(a.antwort.bytes.cbegin(), ZEILEN, werte.begin());
        anzeigen(werte);
        return true;
    }
    case SpeicherAntwort::EchoFalsch:
        m_ctx.prompter.message(tr("REGISTER Fehler"));
        return false;
    case SpeicherAntwort::SchlussFalsch:
        m_ctx.prompter.message(tr("FEHLER"));
        return false;
    default:
        return false;
    }
}

void RegisterWindow::anzeigen(const std::array<quint8, ZEILEN>& werte) {
    const bool repeat = Check_REPEAD->isChecked();
    for (int k = 0; k < ZEILEN; ++k) {
        QLineEdit* box = Text_REGISTER[size_t(k)];
        setTextIfChanged(box, QString::number(werte[size_t(k)]));
        const bool markiert =
            repeat ? box->text() != ALTE_WERTE[size_t(k)] : box->text() != QStringLiteral("0");
        const int farbe = markiert ? QB_HELLGELB : QB_HELLGRAU;
        setBackColor(box, farbe);
        setBackColor(Text_BEMERKUNGEN[size_t(k)], farbe);
        ALTE_WERTE[size_t(k)] = box->text();
    }
}

// --- writing ---

void RegisterWindow::Command_schreiben_Click(int k) {
    REGISTER_SCHREIBEN(k);
}

void RegisterWindow::REGISTER_SCHREIBEN(int k) {
    QLineEdit* box = Text_REGISTER[size_t(k)];
    quint8 wert = 0;
    if (!parseDecimalByte(box->text(), &wert)) {
        setBackColor(box, QB_HELLROT);
        m_ctx.prompter.message((box->text().trimmed().isEmpty()
                                    ? tr("Fehler: kein WERT eingegeben")
                                    : tr("Fehler: WERT \"%1\" ungültig").arg(box->text())) +
                               tr("\r\nerlaubt: 0...255 (dezimal)"));
        return;
    }
    // Not acknowledged: no message and no read; the box keeps what was typed.
    if (REGISTER_WERT_SCHREIBEN(m_ctx.link, m_ctx.link.SLAVE_ADRESSE, k, quint8(wert)) !=
            SpeicherAntwort::Ok ||
        m_zu)
        return;
    REGISTER_LESEN();
}

void RegisterWindow::Text_REGISTER_Click(int k) {
    // A repetition would write over the value being typed.
    repeatBeenden();
    setBackColor(Text_REGISTER[size_t(k)], QB_HELLROT);
    Text_REGISTER[size_t(k)]->clear();
}

bool RegisterWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant zeile = watched->property(kZeile);
        if (zeile.isValid()) {
            UnloadGate::Scope scope(this);
            Text_REGISTER_Click(zeile.toInt());
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- timers, repeat, close ---

void RegisterWindow::Timer_ANZEIGE_Timer() {
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 1));
}

void RegisterWindow::Timer_START_Timer() {
    Timer_START->stop();
    REGISTER_LESEN();
}

void RegisterWindow::Check_REPEAD_Click() {
    if (!Check_REPEAD->isChecked() && m_lauf)
        m_lauf->cancel();
}

void RegisterWindow::repeatBeenden() {
    Check_REPEAD->setChecked(false);
    if (m_lauf)
        m_lauf->cancel();
}

void RegisterWindow::Command1_Click() {
    repeatBeenden();
    close();
}

void RegisterWindow::Command2_Click() {
    repeatBeenden();
    // The program ends at once: the notes are saved first, as a close would.
    Form_Unload();
    PROGRAMM_BEENDEN(m_ctx);
}

} // namespace zelmar
