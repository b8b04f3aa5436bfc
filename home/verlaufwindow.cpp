#include "verlaufwindow.h"

#include "anzeigetexte.h"

#include "files/systemservices.h"
#include "shell/appcontext.h"
#include "shell/windownames.h"
#include "ui/unloadgate.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeAxis>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelmar {

namespace {

constexpr qint64 kStunde = 3600 * 1000;
// A fresh log still gets a readable time axis.
constexpr qint64 kKuerzesteSpanne = 10 * 60 * 1000;
constexpr int kRand = 4;

int diagrammVon(verlauf::Art art) {
    return int(art);
}

// Rooms in their colours, outside in grey; a room's heating value dashed in the room's colour.
QPen stift(int spalte) {
    static const QColor farben[] = {{200, 40, 40},   {30, 90, 200},  {30, 140, 60},
                                    {110, 110, 110}, {200, 40, 40},  {30, 90, 200},
                                    {30, 140, 60},   {110, 60, 170}, {220, 160, 0}};
    QPen pen(farben[spalte], 2);
    if (spalte >= 4 && spalte <= 6)
        pen.setStyle(Qt::DashLine);
    return pen;
}

// The smallest span of the value axis: small wiggles are not blown up to fill the chart.
double kleinsteWertspanne(verlauf::Art art) {
    switch (art) {
    case verlauf::Art::Temperatur:
        return 2;
    case verlauf::Art::Luftdruck:
        return 4;
    case verlauf::Art::Sonne:
        return 10;
    }
    return 1;
}

// Round ends and five or six steps of 1, 2 or 5 times a power of ten.
void wertRaster(QValueAxis* achse, double tief, double hoch) {
    const double roh = (hoch - tief) / 5;
    const double zehner = std::pow(10.0, std::floor(std::log10(roh)));
    double schritt = zehner;
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        schritt = f * zehner;
        if (schritt >= roh)
            break;
    }
    const double von = std::floor(tief / schritt) * schritt;
    const double bis = std::ceil(hoch / schritt) * schritt;
    achse->setRange(von, bis);
    achse->setTickCount(int(std::lround((bis - von) / schritt)) + 1);
    achse->setLabelFormat(schritt < 1 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
}

} // namespace

VerlaufWindow::VerlaufWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::VERLAUF);
    setWindowTitle(tr("VERLAUF"));
    bauen();
    tageAuflisten();
    Combo_BEREICH->setCurrentIndex(HEUTE);
    verbinden();
    laden();
    resize(1100, 700);
}

VerlaufWindow::Diagramm VerlaufWindow::diagramm(const QString& name, const QString& einheit) {
    Diagramm d;
    d.chart = new QChart;
    d.chart->setMargins(QMargins(kRand, 2, kRand, 2));
    d.chart->setBackgroundRoundness(0);
    d.chart->legend()->setAlignment(Qt::AlignTop);
    d.chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    d.chart->setLocalizeNumbers(true);
    QLocale zahlen = m_ctx.locale;
    zahlen.setNumberOptions(zahlen.numberOptions() | QLocale::OmitGroupSeparator);
    d.chart->setLocale(zahlen);
    d.zeitachse = new QDateTimeAxis;
    d.zeitachse->setFormat(QStringLiteral("HH:mm"));
    d.chart->addAxis(d.zeitachse, Qt::AlignBottom);
    d.wertachse = new QValueAxis;
    d.wertachse->setTitleText(einheit);
    d.chart->addAxis(d.wertachse, Qt::AlignLeft);
    d.view = new QChartView(d.chart, this);
    d.view->setObjectName(name);
    d.view->setRenderHint(QPainter::Antialiasing);
    d.view->setMinimumHeight(150);
    return d;
}

void VerlaufWindow::bauen() {
    m_diagramme[0] = diagramm(QStringLiteral("Chart_TEMPERATUR"), QStringLiteral("°C"));
    m_diagramme[1] = diagramm(QStringLiteral("Chart_LUFTDRUCK"), tr("mbar"));
    m_diagramme[2] = diagramm(QStringLiteral("Chart_SONNE"), tr("Sonne"));
    for (int k = 0; k < verlauf::WERTE; ++k) {
        const verlauf::Spalte& s = verlauf::spalten()[k];
        auto* serie = new QLineSeries;
        serie->setObjectName(QStringLiteral("Serie_%1").arg(k));
        serie->setName(tr(s.name.toUtf8().constData()));
        serie->setPen(stift(k));
        const Diagramm& d = m_diagramme[diagrammVon(s.art)];
        d.chart->addSeries(serie);
        serie->attachAxis(d.zeitachse);
        serie->attachAxis(d.wertachse);
        m_serien[k] = serie;
    }

    Combo_BEREICH = new QComboBox(this);
    Combo_BEREICH->setObjectName(QStringLiteral("Combo_BEREICH"));
    Combo_BEREICH->addItem(tr("letzte Stunde"));
    Combo_BEREICH->addItem(tr("heute"));
    Combo_BEREICH->setMinimumWidth(170);
    Label_WERT = new QLabel(this);
    Label_WERT->setObjectName(QStringLiteral("Label_WERT"));
    Label_WERT->setMinimumWidth(360);
    Command_CLOSE = new QPushButton(tr("close"), this);
    Command_CLOSE->setObjectName(QStringLiteral("Command_CLOSE"));
    Command_CLOSE->setMinimumWidth(110);

    auto* unten = new QHBoxLayout;
    auto* Label_BEREICH = new QLabel(tr("Bereich:"), this);
    Label_BEREICH->setObjectName(QStringLiteral("Label_BEREICH"));
    unten->addWidget(Label_BEREICH);
    unten->addWidget(Combo_BEREICH);
    unten->addSpacing(16);
    unten->addWidget(Label_WERT, 1);
    unten->addWidget(Command_CLOSE);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_diagramme[0].view, 3);
    layout->addWidget(m_diagramme[1].view, 2);
    layout->addWidget(m_diagramme[2].view, 2);
    layout->addLayout(unten);

    Timer_ZEICHNEN = new QTimer(this);
    Timer_ZEICHNEN->setObjectName(QStringLiteral("Timer_ZEICHNEN"));
    Timer_ZEICHNEN->setSingleShot(true);
    Timer_ZEICHNEN->setInterval(150);
}

void VerlaufWindow::verbinden() {
    guardedConnect(Combo_BEREICH, &QComboBox::currentIndexChanged, this,
                   &VerlaufWindow::Combo_BEREICH_Click);
    guardedConnect(Command_CLOSE, &QPushButton::clicked, this, &VerlaufWindow::Command_CLOSE_Click);
    guardedConnect(Timer_ZEICHNEN, &QTimer::timeout, this, &VerlaufWindow::Timer_ZEICHNEN_Timer);
    for (QLineSeries* s : m_serien)
        guardedConnect(s, &QLineSeries::hovered, this, &VerlaufWindow::Serie_Hovered);
    for (const Diagramm& d : m_diagramme)
        d.view->installEventFilter(this);
    connect(&m_ctx.apartment, &ApartmentSession::aufgezeichnet, this, &VerlaufWindow::zeileNeu);
}

// The days of older logs, newest first.
void VerlaufWindow::tageAuflisten() {
    const QDate heute = m_ctx.system.now().date();
    const QStringList dateien =
        QDir(m_ctx.DATEN_PFAD)
            .entryList({QStringLiteral("VERLAUF_*.csv")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& datei : dateien) {
        const QDate tag = verlauf::tagAusDateiname(datei);
        if (tag.isValid() && tag != heute)
            Combo_BEREICH->addItem(m_ctx.locale.toString(tag, QStringLiteral("ddd dd.MM.yyyy")),
                                   tag);
    }
}

void VerlaufWindow::laden() {
    m_tage.clear();
    const QDateTime jetzt = m_ctx.system.now();
    QList<QDate> tage;
    const int index = Combo_BEREICH->currentIndex();
    if (index == LETZTE_STUNDE) {
        const QDate gestern = jetzt.addMSecs(-kStunde).date();
        if (gestern != jetzt.date())
            tage << gestern;
        tage << jetzt.date();
    } else if (index == HEUTE) {
        tage << jetzt.date();
    } else {
        tage << Combo_BEREICH->itemData(index).toDate();
    }
    for (const QDate& tag : tage)
        m_tage.append({tag, verlauf::lesen(m_ctx.apartment.pfad(tag))});
    m_punkte = verlauf::punkte(m_tage);
    zeichnen();
}

void VerlaufWindow::zeileNeu(const QDate& tag, const verlauf::Zeile& zeile) {
    if (Combo_BEREICH->currentIndex() >= TAGE)
        return;
    auto it = std::find_if(m_tage.begin(), m_tage.end(),
                           [&tag](const verlauf::Tag& t) { return t.datum == tag; });
    if (it == m_tage.end()) {
        // Past midnight: today is a new day (and yesterday's log joins the list).
        Combo_BEREICH->blockSignals(true);
        const int index = Combo_BEREICH->currentIndex();
        while (Combo_BEREICH->count() > TAGE)
            Combo_BEREICH->removeItem(TAGE);
        tageAuflisten();
        Combo_BEREICH->setCurrentIndex(index);
        Combo_BEREICH->blockSignals(false);
        laden();
        return;
    }
    QVector<verlauf::Zeile>& zeilen = it->zeilen;
    const auto spaeter =
        std::upper_bound(zeilen.begin(), zeilen.end(), zeile.zeit,
                         [](const QTime& t, const verlauf::Zeile& z) { return t < z.zeit; });
    const bool amEnde = spaeter == zeilen.end() && it + 1 == m_tage.end();
    zeilen.insert(spaeter, zeile);
    // The usual row only adds to the curves; one from a clock set back sorts them anew.
    if (amEnde)
        verlauf::anhaengen(m_punkte, verlauf::TagesUhr(tag).ms(zeile.zeit), zeile);
    else
        m_punkte = verlauf::punkte(m_tage);
    spaeterZeichnen();
}

void VerlaufWindow::spanneSetzen() {
    const QDateTime jetzt = m_ctx.system.now();
    if (Combo_BEREICH->currentIndex() == LETZTE_STUNDE) {
        m_bis = jetzt.toMSecsSinceEpoch();
        m_von = m_bis - kStunde;
        return;
    }
    qint64 erste = std::numeric_limits<qint64>::max();
    qint64 letzte = std::numeric_limits<qint64>::min();
    for (const verlauf::Tag& t : m_tage) {
        if (t.zeilen.isEmpty())
            continue;
        const verlauf::TagesUhr uhr(t.datum);
        erste = std::min(erste, uhr.ms(t.zeilen.first().zeit));
        letzte = std::max(letzte, uhr.ms(t.zeilen.last().zeit));
    }
    if (erste > letzte) {
        const QDate tag = m_tage.isEmpty() ? jetzt.date() : m_tage.first().datum;
        erste = tag.startOfDay().toMSecsSinceEpoch();
        letzte =
            tag == jetzt.date() ? jetzt.toMSecsSinceEpoch() : tag.endOfDay().toMSecsSinceEpoch();
    }
    m_von = erste;
    m_bis = std::max(letzte, erste + kKuerzesteSpanne);
}

// The time axis from and to round times, with a tick at each: 10-minute steps for an hour,
// three hours for a whole day.
int VerlaufWindow::zeitRaster() {
    static const int schritte[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 180, 240, 360};
    constexpr int kHoechstens = 12;
    qint64 schritt = 0;
    for (int minuten : schritte) {
        schritt = qint64(minuten) * 60 * 1000;
        if ((m_bis - m_von) / schritt < kHoechstens)
            break;
    }
    const auto tagesMs = [](qint64 ms) {
        return qint64(QDateTime::fromMSecsSinceEpoch(ms).time().msecsSinceStartOfDay());
    };
    m_von -= tagesMs(m_von) % schritt;
    const qint64 rest = tagesMs(m_bis) % schritt;
    if (rest)
        m_bis += schritt - rest;
    return int((m_bis - m_von) / schritt) + 1;
}

// The plot areas one under the other: the chart with the widest value labels sets the left
// edge. True when a margin had to change (the plot widths change with it).
bool VerlaufWindow::ausrichten() {
    std::array<qreal, 3> beschriftung{};
    for (size_t d = 0; d < m_diagramme.size(); ++d) {
        const QChart* c = m_diagramme[d].chart;
        if (c->plotArea().width() < 10)
            return false; // not laid out yet
        beschriftung[d] = c->plotArea().left() - c->margins().left();
    }
    const qreal breiteste = *std::max_element(beschriftung.begin(), beschriftung.end());
    bool geaendert = false;
    for (size_t d = 0; d < m_diagramme.size(); ++d) {
        QChart* c = m_diagramme[d].chart;
        QMargins m = c->margins();
        const int links = kRand + int(std::lround(breiteste - beschriftung[d]));
        if (m.left() != links) {
            m.setLeft(links);
            c->setMargins(m);
            geaendert = true;
        }
    }
    return geaendert;
}

void VerlaufWindow::zeichnen() {
    if (ausrichten())
        spaeterZeichnen();
    spanneSetzen();
    const int striche = zeitRaster();
    std::array<double, 3> tief, hoch;
    tief.fill(std::numeric_limits<double>::max());
    hoch.fill(std::numeric_limits<double>::lowest());
    int messungen = 0;
    for (const verlauf::Tag& t : m_tage)
        messungen += int(t.zeilen.size());

    for (int k = 0; k < verlauf::WERTE; ++k) {
        const int d = diagrammVon(verlauf::spalten()[k].art);
        const Diagramm& dia = m_diagramme[d];
        // Before the first layout the chart has no plot area yet.
        const int breite =
            dia.chart->plotArea().width() >= 10 ? int(dia.chart->plotArea().width()) : 1000;
        const QList<QPointF> punkte = verlauf::ausduennen(m_punkte[k], m_von, m_bis, breite);
        for (const QPointF& p : punkte) {
            tief[d] = std::min(tief[d], p.y());
            hoch[d] = std::max(hoch[d], p.y());
        }
        m_serien[k]->replace(punkte);
    }
    for (int d = 0; d < 3; ++d) {
        const Diagramm& dia = m_diagramme[d];
        dia.zeitachse->setRange(QDateTime::fromMSecsSinceEpoch(m_von),
                                QDateTime::fromMSecsSinceEpoch(m_bis));
        dia.zeitachse->setTickCount(striche);
        if (tief[d] > hoch[d]) {
            dia.wertachse->setRange(0, 1);
            continue;
        }
        const double fehlt = kleinsteWertspanne(verlauf::Art(d)) - (hoch[d] - tief[d]);
        if (fehlt > 0) {
            tief[d] -= fehlt / 2;
            hoch[d] += fehlt / 2;
        }
        wertRaster(dia.wertachse, tief[d], hoch[d]);
    }
    if (messungen == 0)
        Label_WERT->setText(tr("keine Werte aufgezeichnet (WOHNUNG: \"DATEN holen\")"));
    else if (!m_punktGezeigt)
        Label_WERT->setText(tr("%1 Messungen").arg(messungen));
}

void VerlaufWindow::spaeterZeichnen() {
    if (!Timer_ZEICHNEN->isActive())
        Timer_ZEICHNEN->start();
}

bool VerlaufWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        spaeterZeichnen();
    return QWidget::eventFilter(watched, event);
}

void VerlaufWindow::Combo_BEREICH_Click(int index) {
    Q_UNUSED(index);
    m_punktGezeigt = false;
    laden();
}

void VerlaufWindow::Command_CLOSE_Click() {
    close();
}

void VerlaufWindow::Timer_ZEICHNEN_Timer() {
    zeichnen();
}

// The row nearest to the pointer on the curve: its time and value.
void VerlaufWindow::Serie_Hovered(const QPointF& punkt, bool darueber) {
    auto* serie = qobject_cast<QLineSeries*>(sender());
    const auto it = std::find(m_serien.begin(), m_serien.end(), serie);
    if (!serie || it == m_serien.end())
        return;
    if (!darueber) {
        QToolTip::hideText();
        return;
    }
    const QList<QPointF> punkte = serie->points();
    if (punkte.isEmpty())
        return;
    QChart* chart = serie->chart();
    const QPointF zeiger = chart->mapToPosition(punkt, serie);
    const auto mitte = std::lower_bound(punkte.cbegin(), punkte.cend(), punkt.x(),
                                        [](const QPointF& p, double x) { return p.x() < x; });
    const qsizetype i = mitte - punkte.cbegin();
    qsizetype naechster = -1;
    double abstand = std::numeric_limits<double>::max();
    for (qsizetype j = std::max<qsizetype>(0, i - 3); j < std::min(punkte.size(), i + 4); ++j) {
        const QPointF d = chart->mapToPosition(punkte[j], serie) - zeiger;
        const double a = QPointF::dotProduct(d, d);
        if (a < abstand) {
            abstand = a;
            naechster = j;
        }
    }
    const QPointF p = punkte[naechster];
    const verlauf::Spalte& s = verlauf::spalten()[it - m_serien.begin()];
    QString text =
        tr(s.name.toUtf8().constData()) + QStringLiteral("   ") +
        QDateTime::fromMSecsSinceEpoch(qint64(p.x())).toString(QStringLiteral("HH:mm:ss")) +
        QStringLiteral("   ") + zahlText(p.y(), m_ctx.locale);
    if (!s.einheit.isEmpty())
        text += QLatin1Char(' ') + s.einheit;
    Label_WERT->setText(text);
    m_punktGezeigt = true;
    for (const Diagramm& d : m_diagramme)
        if (d.chart == chart)
            QToolTip::showText(QCursor::pos(), text, d.view);
}

} // namespace zelmar
