#include "slaveinfowindow.h"

#include "jobs/busscan.h"
#include "link/standard.h"
#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/windownames.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmar {

namespace {

constexpr int SPALTEN = 4;
constexpr int ZEILEN_JE_SPALTE = SlaveInfoWindow::ZEILEN / SPALTEN;
const char* const kZeile = "zelmarZeile";

QLineEdit* zeilenFeld(const QString& name, int adresse, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name + QLatin1Char('_') + QString::number(adresse));
    e->setProperty(kZeile, adresse);
    e->setFrame(false);
    return e;
}

// Line breaks and other control characters would break the directory file's one line per
// address.
QString einzeilig(QString name) {
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return name;
}

} // namespace

SlaveInfoWindow::SlaveInfoWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::SLAVE_INFO);
    setWindowTitle(fenster::SLAVE_INFO);
    m_farbe.fill(-1);
    m_namenFarbe.fill(-1);
    bauen();
    verbinden();
}

void SlaveInfoWindow::bauen() {
    // The 128 rows in columns of 32, address and name side by side.
    auto* zeilen = new QWidget;
    auto* spalten = new QHBoxLayout(zeilen);
    spalten->setContentsMargins(4, 4, 4, 4);
    spalten->setSpacing(14);
    const int adressBreite = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8;
    const int nameBreite = fontMetrics().horizontalAdvance(QString(17, QLatin1Char('X')));
    for (int s = 0; s < SPALTEN; ++s) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(2);
        grid->setVerticalSpacing(1);
        for (int z = 0; z < ZEILEN_JE_SPALTE; ++z) {
            const int i = s * ZEILEN_JE_SPALTE + z;
            QLineEdit* adresse = zeilenFeld(QStringLiteral("Text_SLAVE_ADRESSE"), i, zeilen);
            adresse->setText(QStringLiteral("000"));
            adresse->setReadOnly(true);
            adresse->setFocusPolicy(Qt::NoFocus);
            adresse->setAlignment(Qt::AlignCenter);
            adresse->setFixedWidth(adressBreite);
            QLineEdit* name = zeilenFeld(QStringLiteral("Text_SLAVE_INFO"), i, zeilen);
            name->setText(QStringLiteral("XXXXXXXXXXXXXXXX"));
            name->setMaxLength(NAME_LAENGE);
            name->setMinimumWidth(nameBreite);
            adresse->installEventFilter(this);
            name->installEventFilter(this);
            grid->addWidget(adresse, z, 0);
            grid->addWidget(name, z, 1);
            Text_SLAVE_ADRESSE[i] = adresse;
            Text_SLAVE_INFO[i] = name;
        }
        spalten->addLayout(grid);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(zeilen);
    scroll->setWidgetResizable(true);

    auto* adressZeile = new QHBoxLayout;
    auto* adressText = new QLabel(tr("ADRESSE"), this);
    adressText->setObjectName(QStringLiteral("Label_ADRESSE"));
    Text_ADRESSE_SLAVE = new QLineEdit(this);
    Text_ADRESSE_SLAVE->setObjectName(QStringLiteral("Text_ADRESSE_SLAVE"));
    Text_ADRESSE_SLAVE->setReadOnly(true);
    Text_ADRESSE_SLAVE->setAlignment(Qt::AlignCenter);
    Text_ADRESSE_SLAVE->setFixedWidth(adressBreite + 12);
    Command_ADRESSE_SLAVE = new QPushButton(QStringLiteral("..."), this);
    Command_ADRESSE_SLAVE->setObjectName(QStringLiteral("Command_ADRESSE_SLAVE"));
    Command_ADRESSE_SLAVE->setFixedWidth(36);
    adressZeile->addWidget(adressText);
    adressZeile->addStretch(1);
    adressZeile->addWidget(Text_ADRESSE_SLAVE);
    adressZeile->addWidget(Command_ADRESSE_SLAVE);

    Frame1 = new QGroupBox(tr("SLAVE-TYP"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Combo_SLAVE_TYP = new QComboBox(Frame1);
    Combo_SLAVE_TYP->setObjectName(QStringLiteral("Combo_SLAVE_TYP"));
    (new QVBoxLayout(Frame1))->addWidget(Combo_SLAVE_TYP);

    auto knopf = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    Command_INFO_AUSLESEN = knopf("Command_INFO_AUSLESEN", tr("SLAVE INFO auslesen"));
    Command_SCANNER = knopf("Command_SCANNER", tr("Adressen Scanner"));
    Command_ANLAGE_PRUEFEN = knopf("Command_ANLAGE_PRUEFEN", tr("Anlage prüfen"));
    Command_ANLAGE_PRUEFEN->setToolTip(
        tr("scannen und mit den Namen vergleichen: gelb = fehlt (Name, aber keine "
           "Antwort), cyan = unbekannt (Antwort, aber kein Name)"));
    Command_OK = knopf("Command_OK", tr("OK"));
    Command_ABBRECHEN = knopf("Command_ABBRECHEN", tr("abbrechen"));
    Command_ENDE = knopf("Command_ENDE", tr("END"));

    auto* seite = new QVBoxLayout;
    seite->addLayout(adressZeile);
    seite->addWidget(Frame1);
    seite->addSpacing(8);
    seite->addWidget(Command_INFO_AUSLESEN);
    seite->addWidget(Command_SCANNER);
    seite->addWidget(Command_ANLAGE_PRUEFEN);
    seite->addStretch(1);
    seite->addWidget(Command_OK);
    seite->addWidget(Command_ABBRECHEN);
    seite->addSpacing(8);
    seite->addWidget(Command_ENDE);
    auto* seitenFeld = new QWidget(this);
    seitenFeld->setLayout(seite);
    seitenFeld->setFixedWidth(seitenFeld->sizeHint().width() + 20);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(scroll, 1);
    layout->addWidget(seitenFeld);

    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(10);
    Timer_ANZEIGE = new QTimer(this);
    Timer_ANZEIGE->setObjectName(QStringLiteral("Timer_ANZEIGE"));
    Timer_ANZEIGE->setInterval(10);

    // All rows at once where the screen allows it (1366 x 768 and up).
    const int rand = 2 * scroll->frameWidth() + 12;
    resize(zeilen->sizeHint().width() + seitenFeld->width() + rand + 12,
           std::min(zeilen->sizeHint().height() + rand, 720));
}

void SlaveInfoWindow::verbinden() {
    guardedConnect(Combo_SLAVE_TYP, &QComboBox::activated, this,
                   &SlaveInfoWindow::Combo_SLAVE_TYP_Click);
    guardedConnect(Command_ADRESSE_SLAVE, &QPushButton::clicked, this,
                   &SlaveInfoWindow::Command_ADRESSE_SLAVE_Click);
    guardedConnect(Command_INFO_AUSLESEN, &QPushButton::clicked, this,
                   &SlaveInfoWindow::Command_INFO_AUSLESEN_Click);
    guardedConnect(Command_SCANNER, &QPushButton::clicked, this,
                   &SlaveInfoWindow::Command_SCANNER_Click);
    guardedConnect(Command_ANLAGE_PRUEFEN, &QPushButton::clicked, this,
                   &SlaveInfoWindow::Command_ANLAGE_PRUEFEN_Click);
    guardedConnect(Command_OK, &QPushButton::clicked, this, &SlaveInfoWindow::Command_OK_Click);
    guardedConnect(Command_ABBRECHEN, &QPushButton::clicked, this,
                   &SlaveInfoWindow::Command_ABBRECHEN_Click);
    guardedConnect(Command_ENDE, &QPushButton::clicked, this, &SlaveInfoWindow::Command_ENDE_Click);
    guardedConnect(Timer_START, &QTimer::timeout, this, &SlaveInfoWindow::Timer_START_Timer);
    guardedConnect(Timer_ANZEIGE, &QTimer::timeout, this, &SlaveInfoWindow::Timer_ANZEIGE_Timer);
    Timer_START->start();
    Timer_ANZEIGE->start();
}

void SlaveInfoWindow::Timer_START_Timer() {
    Timer_START->stop();
    for (int i = 0; i < ZEILEN; ++i) {
        Text_SLAVE_ADRESSE[i]->setText(QString::number(i));
        Text_SLAVE_INFO[i]->setText(m_ctx.slaves.SLAVE_NAME[i]);
        Text_SLAVE_INFO[i]->setCursorPosition(0);
        setBackColor(Text_SLAVE_ADRESSE[i], QB_HELLGRAU);
        setBackColor(Text_SLAVE_INFO[i], QB_HELLGRAU);
        m_farbe[i] = QB_HELLGRAU;
    }
    Combo_SLAVE_TYP->addItems({QStringLiteral("??"), QStringLiteral("ATmega8"), tr("EEPROM65k"),
                               QStringLiteral("EEPROM_128B")});
}

void SlaveInfoWindow::Timer_ANZEIGE_Timer() {
    const Link& link = m_ctx.link;
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 1));
    const int adresse = link.SLAVE_ADRESSE;
    setTextIfChanged(Text_ADRESSE_SLAVE, QString::number(adresse));

    // The box names the type; one the list does not know shows its number.
    if (Combo_SLAVE_TYP->count() > 0 && adresse < ZEILEN) {
        const int typ = m_ctx.slaves.SLAVE_TYP[adresse];
        const int index = typ < Combo_SLAVE_TYP->count() ? typ : -1;
        if (index < 0 && Combo_SLAVE_TYP->placeholderText() != QString::number(typ))
            Combo_SLAVE_TYP->setPlaceholderText(QString::number(typ));
        if (Combo_SLAVE_TYP->currentIndex() != index)
            Combo_SLAVE_TYP->setCurrentIndex(index);
    }

    for (int i = 0; i < ZEILEN; ++i) {
        const int farbe = i == adresse                   ? QB_HELLROT
                          : link.SLAVE_GEFUNDEN[i] == -1 ? QB_HELLGRUEN
                                                         : QB_HELLGRAU;
        if (farbe != m_farbe[i]) {
            m_farbe[i] = farbe;
            setBackColor(Text_SLAVE_ADRESSE[i], farbe);
        }
        // The name box carries the check's mark, the address box the row's state.
        const int namenFarbe = m_marke[i] ? m_marke[i] : farbe;
        if (namenFarbe != m_namenFarbe[i]) {
            m_namenFarbe[i] = namenFarbe;
            setBackColor(Text_SLAVE_INFO[i], namenFarbe);
        }
    }
}

void SlaveInfoWindow::zeileWaehlen(int adresse) {
    m_ctx.link.SLAVE_ADRESSE = quint8(adresse);
}

bool SlaveInfoWindow::eventFilter(QObject* watched, QEvent* event) {
    const QVariant zeile = watched->property(kZeile);
    if (zeile.isValid()) {
        if (event->type() == QEvent::MouseButtonPress)
            zeileWaehlen(zeile.toInt());
        // Moving into a name with the keyboard selects it too; focus coming back with the
        // window does not, or it would undo a choice made in another window.
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason grund = static_cast<QFocusEvent*>(event)->reason();
            if (grund == Qt::TabFocusReason || grund == Qt::BacktabFocusReason)
                zeileWaehlen(zeile.toInt());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SlaveInfoWindow::Combo_SLAVE_TYP_Click(int index) {
    const int adresse = m_ctx.link.SLAVE_ADRESSE;
    if (index >= 0 && adresse < ZEILEN)
        m_ctx.slaves.SLAVE_TYP[adresse] = quint8(index);
}

void SlaveInfoWindow::Command_ADRESSE_SLAVE_Click() {
    const QString antwort = m_ctx.prompter.input(tr("ADRESSE eingeben"), tr("SLAVE - ADRESSE"),
                                                 QString::number(m_ctx.link.SLAVE_ADRESSE));
    if (antwort.isEmpty())
        return; // empty or cancelled
    int adresse = 0;
    if (!parseWholeNumber(antwort, &adresse) || adresse < 0 || adresse > 127) {
        m_ctx.prompter.message(tr("Fehler: WERTEBEREICH 0...127"));
        return;
    }
    zeileWaehlen(adresse);
}

void SlaveInfoWindow::Command_INFO_AUSLESEN_Click() {
    const int adresse = m_ctx.link.SLAVE_ADRESSE;
    if (adresse == 0) {
        m_ctx.prompter.message(
            tr("FEHLER => Adresse 0 (General Call) darf/kann nicht ausgelesen werden"));
        return;
    }
    if (adresse >= ZEILEN)
        return;
    Reply antwort;
    const QString name = SLAVE_INFO_LESEN(m_ctx.link, adresse, &antwort);
    if (antwort.refused())
        return; // nothing was asked: a name typed into the row stays
    // The row read, even if another one was selected meanwhile.
    Text_SLAVE_INFO[adresse]->setText(name);
    Text_SLAVE_INFO[adresse]->setCursorPosition(0);
}

void SlaveInfoWindow::Command_SCANNER_Click() {
    scannen(false);
}

// The check is a scan and nothing more on the bus; the names are those in the rows.
void SlaveInfoWindow::Command_ANLAGE_PRUEFEN_Click() {
    scannen(true);
}

void SlaveInfoWindow::scannen(bool pruefen) {
    if (m_scan)
        return;
    Command_SCANNER->setEnabled(false);
    Command_ANLAGE_PRUEFEN->setEnabled(false);
    // Marks of an earlier check no longer hold once the bus is scanned again.
    m_marke.fill(0);
    for (QLineEdit* name : Text_SLAVE_INFO)
        name->setToolTip(QString());
    // The rows show the scan's findings through SLAVE_GEFUNDEN at every tick.
    m_scan = new BusScan(m_ctx.link);
    m_scan->bindTo(this);
    connect(m_scan, &BusScan::finished, this, [this, pruefen](const BusScan::Result& r) {
        UnloadGate::Scope scope(this);
        if (r.interfaceSilent)
            m_ctx.prompter.message(BusScan::meldung(r));
        else if (pruefen)
            anlageZeigen(r);
    });
    connect(m_scan, &Job::ended, this, [this] {
        m_scan = nullptr;
        Command_SCANNER->setEnabled(true);
        Command_ANLAGE_PRUEFEN->setEnabled(true);
    });
    m_scan->start();
}

void SlaveInfoWindow::anlageZeigen(const BusScan::Result& scan) {
    // Cancelled or refused: the user or the link has had the say.
    if (!scan.completed)
        return;
    // A scan that did not hear every address tells nothing about what is missing.
    if (scan.ohneAntwort > 0) {
        m_ctx.prompter.message(
            tr("Anlage prüfen: bei %1 von 128 Adressen hat das Interface nicht "
               "geantwortet.\r\n\r\nOhne vollständigen Scan wird nichts markiert.")
                .arg(scan.ohneAntwort));
        return;
    }
    std::array<QString, ZEILEN> namen;
    for (int i = 0; i < ZEILEN; ++i)
        namen[i] = Text_SLAVE_INFO[i]->text();
    const Anlage a = anlagePruefen(namen, m_ctx.link.SLAVE_GEFUNDEN);
    const QString nl = QStringLiteral("\r\n");
    QString text = tr("Anlage prüfen: %1 Adressen haben geantwortet.").arg(scan.found.size()) + nl;
    auto liste = [&](const QList<int>& adressen, const QString& titel, int farbe,
                     const QString& tip) {
        text += nl + titel + QStringLiteral(": ") +
                (adressen.isEmpty() ? tr("keine") : QString::number(adressen.size())) + nl;
        for (int i : adressen) {
            m_marke[i] = farbe;
            Text_SLAVE_INFO[i]->setToolTip(tip);
            text += QStringLiteral("%1").arg(i, 3);
            if (slaveBenannt(namen[i]))
                text += QStringLiteral("  ") + namen[i].trimmed();
            text += nl;
        }
    };
    liste(a.fehlt, tr("fehlt (Name, aber keine Antwort)"), QB_HELLGELB,
          tr("fehlt: hat einen Namen, hat aber nicht geantwortet"));
    liste(a.unbekannt, tr("unbekannt (Antwort, aber kein Name)"), QB_HELLCYAN,
          tr("unbekannt: hat geantwortet, hat aber keinen Namen"));
    if (a.fehlt.isEmpty() && a.unbekannt.isEmpty())
        text += nl + tr("Die Anlage entspricht dem Verzeichnis.");
    m_ctx.prompter.message(text.trimmed());
}

void SlaveInfoWindow::Command_OK_Click() {
    // Before the first tick the rows still hold their design text, not names.
    if (!Timer_START->isActive())
        for (int i = 0; i < ZEILEN; ++i)
            m_ctx.slaves.SLAVE_NAME[i] = einzeilig(Text_SLAVE_INFO[i]->text());
    close();
}

void SlaveInfoWindow::Command_ABBRECHEN_Click() {
    close();
}

void SlaveInfoWindow::Command_ENDE_Click() {
    PROGRAMM_BEENDEN(m_ctx);
}

} // namespace zelmar
