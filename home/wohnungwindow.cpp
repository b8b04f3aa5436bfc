#include "wohnungwindow.h"

#include "anzeigetexte.h"
#include "grundrisswidget.h"
#include "scaledcanvas.h"

#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/windownames.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/unloadgate.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmar {

namespace {

const QString kGrad = QStringLiteral(" °C");

QString dreistellig(int adresse) {
    return QStringLiteral("%1").arg(adresse, 3, 10, QLatin1Char('0'));
}

QRectF markerRect(qreal x, qreal y) {
    return {x, y, 34, 34};
}

QRectF neben(const QRectF& marker, qreal breite = 104) {
    return {marker.right() + 6, marker.top() + 2, breite, 30};
}

} // namespace

WohnungWindow::WohnungWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::WOHNUNG);
    setWindowTitle(tr("WOHNUNG"));
    m_raum[WZ].werte = 0;     // slave 20
    m_raum[AZ].werte = 1;     // 40
    m_raum[KUECHE].werte = 2; // 60
    bauen();
    verbinden();
    resize(1060, 690);
}

void WohnungWindow::verbinden() {
    guardedConnect(Command_DATEN_HOLEN, &QPushButton::clicked, this,
                   &WohnungWindow::Command_DATEN_HOLEN_Click);
    guardedConnect(Command_VERLAUF, &QPushButton::clicked, this,
                   &WohnungWindow::Command_VERLAUF_Click);
    guardedConnect(Command1, &QPushButton::clicked, this, &WohnungWindow::Command1_Click);
    guardedConnect(Command2, &QPushButton::clicked, this, &WohnungWindow::Command2_Click);
    guardedConnect(Timer_START, &QTimer::timeout, this, &WohnungWindow::Timer_START_Timer);
    guardedConnect(Timer_ANZEIGE, &QTimer::timeout, this, &WohnungWindow::Timer_ANZEIGE_Timer);
    // The fetch and its log belong to the session; the window shows what it reads.
    ApartmentSession& wohnung = m_ctx.apartment;
    connect(&wohnung, &ApartmentSession::updated, this, &WohnungWindow::werteUebernehmen);
    connect(&wohnung, &ApartmentSession::started, this,
            [this] { Command_DATEN_HOLEN->setEnabled(false); });
    connect(&wohnung, &ApartmentSession::ended, this,
            [this] { Command_DATEN_HOLEN->setEnabled(true); });
    Command_DATEN_HOLEN->setEnabled(!wohnung.laeuft());
    Timer_START->start();
}

ApartmentFetch* WohnungWindow::fetch() const {
    return m_ctx.apartment.fetch();
}

QLabel* WohnungWindow::label(const QString& name, const QString& text, const QRectF& rect,
                             qreal fontSize, Qt::Alignment align, bool bold) {
    auto* l = new QLabel(text, m_plan);
    l->setObjectName(name);
    l->setAlignment(align);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    m_plan->place(l, rect, fontSize);
    return l;
}

PlanShape* WohnungWindow::marker(int adresse, const QRectF& rect) {
    auto* s = new PlanShape(PlanShape::Form::Kreis, QString::number(adresse), m_plan);
    s->setObjectName(QStringLiteral("Shape_") + dreistellig(adresse));
    s->setToolTip(tr("SLAVE %1").arg(adresse));
    m_plan->place(s, rect, 13);
    return s;
}

void WohnungWindow::bauen() {
    m_plan = new GrundrissWidget(this);
    const QString tempDesign = QStringLiteral("22,3 °C");
    const QString heizDesign = QStringLiteral("23 °C");

    // Rooms: temperature in the middle, radiator under the window with its value beside it.
    struct RaumPlatz {
        const char* temperatur;
        const char* heizung;
        const char* heizkoerper;
        QRectF tempRect;
        QRectF heizkoerperRect;
        QRectF heizRect;
    };
    const RaumPlatz plaetze[RAEUME] = {
        {"Label_WZ_TEMPERATUR",
         "Label_WZ_HEIZUNG",
         "Shape_WZ_HEIZUNG",
         {300, 140, 200, 44},
         {330, 50, 140, 14},
         {330, 66, 140, 24}},
        {"Label_AZ_TEMPERATUR",
         "Label_AZ_HEIZUNG",
         "Shape_AZ_HEIZUNG",
         {640, 140, 200, 44},
         {680, 50, 140, 14},
         {680, 66, 140, 24}},
        {"Label_KÜCHE_TEMPERATUR",
         "Label_KÜCHE_HEIZUNG",
         "Shape_KÜCHE_HEIZUNG",
         {580, 480, 200, 44},
         {620, 596, 160, 14},
         {620, 570, 160, 24}},
        {"Label_BAD_TEMPERATUR",
         "Label_BAD_HEIZUNG",
         "Shape_BAD_HEIZUNG",
         {250, 480, 180, 44},
         {280, 596, 120, 14},
         {280, 570, 120, 24}},
    };
    for (int r = 0; r < RAEUME; ++r) {
        const RaumPlatz& p = plaetze[r];
        m_raum[r].labelTemperatur = label(QString::fromUtf8(p.temperatur), tempDesign, p.tempRect,
                                          30, Qt::AlignCenter, true);
        m_raum[r].labelHeizung = label(QString::fromUtf8(p.heizung), heizDesign, p.heizRect, 15);
        auto* hk = new PlanShape(PlanShape::Form::Heizkoerper, QString(), m_plan);
        hk->setObjectName(QString::fromUtf8(p.heizkoerper));
        m_plan->place(hk, p.heizkoerperRect);
        m_raum[r].heizkoerper = hk;
    }

    // Slave markers with their clocks; slave 8 carries the master clock and the date.
    const QRectF platz[SLAVES.size()] = {
        markerRect(560, 353), markerRect(246, 282), markerRect(586, 282), markerRect(52, 262),
        markerRect(956, 82),  markerRect(466, 572), markerRect(956, 262), markerRect(956, 362),
    };
    for (size_t i = 0; i < SLAVES.size(); ++i) {
        Shape_SLAVE[i] = marker(SLAVES[i], platz[i]);
        if (i > 0)
            Label_ZEIT_SLAVE[i] = label(QStringLiteral("Label_ZEIT_%1").arg(SLAVES[i]), fehltText(),
                                        neben(platz[i]), 15, Qt::AlignLeft | Qt::AlignVCenter);
    }
    Label_ZEIT = label(QStringLiteral("Label_ZEIT"), fehltText(), neben(platz[0], 96), 15,
                       Qt::AlignLeft | Qt::AlignVCenter);
    Label_DATUM = label(QStringLiteral("Label_DATUM"), fehltText(), {700, 355, 110, 30}, 15,
                        Qt::AlignLeft | Qt::AlignVCenter);

    // Outside: temperature large, the rest in captioned rows.
    Label_AUSSENTEMPERATUR = label(QStringLiteral("Label_AUSSENTEMÜERATUR"), tempDesign,
                                   {30, 376, 180, 44}, 30, Qt::AlignCenter, true);
    const Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;
    auto wertSpalte = [](int zeile) {
        return GrundrissWidget::AUSSEN_ZEILE(zeile).adjusted(70, 0, 0, 0);
    };
    Label_LUFTDRUCK =
        label(QStringLiteral("Label_LUFTDRUCK"), QString(), wertSpalte(0), 15, rechts);
    Label_SONNE = label(QStringLiteral("Label_SONNE"), tr("SONNE"), wertSpalte(1), 15, rechts);
    Label_SONNENAUFGANG =
        label(QStringLiteral("Label_SONNENAUFGANG"), QString(), wertSpalte(2), 15, rechts);
    Label_SONNENUNTERGANG =
        label(QStringLiteral("Label_SONNENUNTERGANG"), QString(), wertSpalte(3), 15, rechts);

    // Door leaves, hinged at the opening; shown only while a door reports itself open.
    const std::pair<const char*, QRectF> tueren[] = {
        {"Line_FLUR_TÜR", {860, 345, 50, 50}}, {"Line_WZ_TÜR", {480, 270, 60, 60}},
        {"Line_AZ_TÜR", {610, 270, 60, 60}},   {"Line_KÜCHE_TÜR", {700, 410, 60, 60}},
        {"Line_BAD_TÜR", {370, 410, 60, 60}},
    };
    for (size_t i = 0; i < Line_TUER.size(); ++i) {
        auto* t = new PlanShape(PlanShape::Form::Tuerblatt, QString(), m_plan);
        t->setObjectName(QString::fromUtf8(tueren[i].first));
        t->setVisible(false);
        m_plan->place(t, tueren[i].second);
        Line_TUER[i] = t;
    }

    Command_DATEN_HOLEN = new QPushButton(tr("DATEN holen"), this);
    Command_DATEN_HOLEN->setObjectName(QStringLiteral("Command_DATEN_HOLEN"));
    Check_REPEAD = new QCheckBox(tr("repead"), this);
    Check_REPEAD->setObjectName(QStringLiteral("Check_REPEAD"));
    Command_VERLAUF = new QPushButton(tr("Verlauf"), this);
    Command_VERLAUF->setObjectName(QStringLiteral("Command_VERLAUF"));
    if (!m_ctx.windows.available(fenster::VERLAUF)) {
        Command_VERLAUF->setEnabled(false);
        Command_VERLAUF->setToolTip(WindowRegistry::notAvailableTip(fenster::VERLAUF));
    }
    Command1 = new QPushButton(tr("close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(tr("end"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* b : {Command_DATEN_HOLEN, Command_VERLAUF, Command1, Command2})
        b->setMinimumWidth(110);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command_DATEN_HOLEN);
    knoepfe->addSpacing(8);
    knoepfe->addWidget(Check_REPEAD);
    knoepfe->addSpacing(24);
    knoepfe->addWidget(Command_VERLAUF);
    knoepfe->addStretch(1);
    knoepfe->addWidget(Command1);
    knoepfe->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_plan, 1);
    layout->addLayout(knoepfe);

    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(10);
    Timer_ANZEIGE = new QTimer(this);
    Timer_ANZEIGE->setObjectName(QStringLiteral("Timer_ANZEIGE"));
    Timer_ANZEIGE->setInterval(100);
}

void WohnungWindow::Timer_START_Timer() {
    Timer_START->stop();
    Timer_ANZEIGE->start();
}

void WohnungWindow::Timer_ANZEIGE_Timer() {
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 2));
    const QLocale& loc = m_ctx.locale;

    const ApartmentValues& w = m_werte;
    for (const Raum& r : m_raum) {
        const ApartmentValues::Raum werte =
            r.werte >= 0 ? w.raum[r.werte] : ApartmentValues::Raum();
        r.heizkoerper->setFillColor(
            qbColor(heizungLaeuft(werte.heizung) ? QB_HELLROT : QB_HELLGRAU));
        setTextIfChanged(r.labelTemperatur, messwertText(werte.temperatur, kGrad, loc));
        setTextIfChanged(r.labelHeizung, messwertText(werte.heizung, kGrad, loc));
    }
    for (size_t i = 0; i < SLAVES.size(); ++i)
        Shape_SLAVE[i]->setFillColor(qbColor(w.vorhanden[i] ? QB_HELLGRUEN : QB_HELLROT));

    auto textOderFehlt = [](const QString& t) { return t.isEmpty() ? fehltText() : t; };
    auto uhrzeit = [](const std::optional<std::pair<int, int>>& t) {
        return t ? uhrzeitText(t->first, t->second) : fehltText();
    };
    setTextIfChanged(Label_ZEIT, textOderFehlt(w.zeit));
    setTextIfChanged(Label_DATUM, textOderFehlt(w.datum));
    setTextIfChanged(Label_SONNE, w.sonne ? zahlText(*w.sonne, loc) : fehltText());
    setTextIfChanged(Label_SONNENAUFGANG, uhrzeit(w.sonnenaufgang));
    setTextIfChanged(Label_SONNENUNTERGANG, uhrzeit(w.sonnenuntergang));
    setTextIfChanged(Label_AUSSENTEMPERATUR, messwertText(w.aussentemperatur, kGrad, loc));
    setTextIfChanged(Label_LUFTDRUCK, messwertText(w.luftdruck, tr(" mbar"), loc));

    for (size_t i = 0; i < Line_TUER.size(); ++i)
        if (Line_TUER[i]->isVisibleTo(m_plan) != m_tuerOffen[i])
            Line_TUER[i]->setVisible(m_tuerOffen[i]);
}

// The clocks of the slaves show at once; the rest at the display's next tick.
void WohnungWindow::werteUebernehmen(const ApartmentValues& werte) {
    m_werte = werte;
    for (size_t i = 1; i < SLAVES.size(); ++i) {
        const QString& t = m_werte.zeitSlave[i];
        setTextIfChanged(Label_ZEIT_SLAVE[i], t.isEmpty() ? fehltText() : t);
    }
}

void WohnungWindow::Command_DATEN_HOLEN_Click() {
    ApartmentSession& wohnung = m_ctx.apartment;
    if (!wohnung.holen(Check_REPEAD->isChecked(), this))
        return;
    connect(Check_REPEAD, &QCheckBox::toggled, wohnung.fetch(), &ApartmentFetch::setRepeat);
}

void WohnungWindow::Command_VERLAUF_Click() {
    m_ctx.windows.show(fenster::VERLAUF);
}

void WohnungWindow::Command1_Click() {
    close();
}

void WohnungWindow::Command2_Click() {
    PROGRAMM_BEENDEN(m_ctx);
}

} // namespace zelmar
