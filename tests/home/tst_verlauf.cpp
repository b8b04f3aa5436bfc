// The daily log of the apartment's values and the trend window VERLAUF.

#include "windowbench.h"

#include "files/verlaufdatei.h"
#include "home/verlaufpunkte.h"
#include "home/verlaufwindow.h"
#include "sim/atmega8slave.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QRandomGenerator>
#include <QValueAxis>

#include <ctime>

using namespace zelmar;
using verlauf::Zeile;

namespace {

Zeile zeile(const QTime& zeit, std::initializer_list<std::optional<double>> werte) {
    Zeile z;
    z.zeit = zeit;
    std::copy(werte.begin(), werte.end(), z.werte.begin());
    return z;
}

QByteArrayList zeilenDerDatei(const QString& pfad) {
    QByteArray bytes = fileBytes(pfad);
    QByteArrayList zeilen = bytes.split('\n');
    if (zeilen.last().isEmpty())
        zeilen.removeLast();
    return zeilen;
}

struct VerlaufBench : WindowBench {
    VerlaufBench() : WindowBench(fenster::WOHNUNG) {}

    QString log(const QDate& tag) const {
        return t.ctx.DATEN_PFAD + QStringLiteral("VERLAUF_") + tag.toString(Qt::ISODate) +
               QStringLiteral(".csv");
    }
    QString heute() const { return log(t.system.clock.date()); }
    void fetchAt(const QTime& zeit) {
        t.system.clock.setTime(zeit);
        clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
    }
    QWidget* verlauf() {
        click(QStringLiteral("Command_VERLAUF"));
        QWidget* v = t.ctx.windows.find(fenster::VERLAUF);
        if (!v)
            qFatal("VERLAUF did not open");
        v->resize(1000, 700);
        return v;
    }
    static QChart* temperaturen(QWidget* v) {
        return bench::child<QChartView>(v, QStringLiteral("Chart_TEMPERATUR"))->chart();
    }
    // The series as drawn, after the coalesced redraw.
    static QLineSeries* serie(QWidget* v, int spalte) {
        QTest::qWait(250);
        return qobject_cast<QLineSeries*>(temperaturen(v)->series().value(spalte));
    }
};

} // namespace

class TestVerlauf : public QObject {
    Q_OBJECT

private slots:
    // Times of day are the local ones, with their clock changes.
    void initTestCase() {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    // Written in the locale's manner, read back the same; a failed value stays empty.
    void rowsInEachLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("kopf");
        QTest::addColumn<QByteArray>("erste");
        QTest::addColumn<QByteArray>("zweite");
        QTest::newRow("German") << QLocale(QLocale::German)
                                << QByteArray("Zeit;WZ Temperatur [°C];AZ Temperatur [°C];KÜCHE "
                                              "Temperatur [°C];Außentemperatur [°C];WZ Heizung "
                                              "[°C];AZ Heizung [°C];KÜCHE Heizung [°C];Luftdruck "
                                              "[mbar];Sonne")
                                << QByteArray("07:42:06;21,5;-0,1;0;-3,5;30;31;;1013;12345")
                                << QByteArray("23:59:59;;;;;;;;;0,25");
        // A decimal comma of its own must not clash with the separator.
        for (const QLocale& l : {QLocale(QLocale::English), QLocale(QLocale::French)})
            QTest::newRow(qPrintable(l.name()))
                << l
                << QByteArray("Zeit,WZ Temperatur [°C],AZ Temperatur [°C],KÜCHE Temperatur "
                              "[°C],Außentemperatur [°C],WZ Heizung [°C],AZ Heizung [°C],KÜCHE "
                              "Heizung [°C],Luftdruck [mbar],Sonne")
                << QByteArray("07:42:06,21.5,-0.1,0,-3.5,30,31,,1013,12345")
                << QByteArray("23:59:59,,,,,,,,,0.25");
    }
    void rowsInEachLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, kopf);
        QFETCH(QByteArray, erste);
        QFETCH(QByteArray, zweite);
        ProgramDir d;
        const QString pfad = d.file(QStringLiteral("VERLAUF_2006-12-05.csv"));
        const Zeile a = zeile({7, 42, 6}, {21.5, -0.1, -0.0, -3.5, 30, 31, {}, 1013, 12345});
        const Zeile b = zeile({23, 59, 59}, {{}, {}, {}, {}, {}, {}, {}, {}, 0.25});
        QVERIFY(verlauf::anhaengen(pfad, a, locale));
        QVERIFY(verlauf::anhaengen(pfad, b, locale));
        QCOMPARE(fileBytes(pfad),
                 "\xEF\xBB\xBF" + kopf + "\r\n" + erste + "\r\n" + zweite + "\r\n");

        const QVector<Zeile> gelesen = verlauf::lesen(pfad);
        QCOMPARE(gelesen.size(), 2);
        QCOMPARE(gelesen[0].zeit, a.zeit);
        QCOMPARE(gelesen[0].werte, (std::array<std::optional<double>, verlauf::WERTE>{
                                       21.5, -0.1, 0.0, -3.5, 30, 31, {}, 1013, 12345}));
        QCOMPARE(gelesen[1].werte, b.werte);
    }

    // A row cut short by a crash neither runs into the next one nor is read as a value; a file
    // keeps the separator it began with.
    void appendingKeepsTheFileWhole() {
        ProgramDir d;
        const QString pfad = d.file(QStringLiteral("VERLAUF_2006-12-05.csv"));
        const QByteArray kopf = "\xEF\xBB\xBF" + verlauf::kopfzeile({';', ','}).toUtf8() + "\r\n";
        const QByteArray ganz = "07:00:01;20;;;;;;;1013;\r\n07:00:02;20,5;;;;;;;1014;\r\n";
        QVERIFY(putFile(pfad, kopf + ganz + "07:00:03;21,5;;;;;;;1013;12"));
        QCOMPARE(verlauf::lesen(pfad).size(), 2);

        QVERIFY(verlauf::anhaengen(pfad, zeile({7, 0, 4}, {22}), QLocale(QLocale::English)));
        QCOMPARE(fileBytes(pfad), kopf + ganz + "07:00:04;22;;;;;;;;\r\n");

        // A header cut short is written anew; rows that do not parse are skipped, the rest
        // come in the order of their times.
        QVERIFY(putFile(pfad, "Zeit;WZ Tem"));
        QVERIFY(verlauf::anhaengen(pfad, zeile({8, 0, 0}, {19}), QLocale(QLocale::German)));
        QCOMPARE(zeilenDerDatei(pfad).first().trimmed(), kopf.trimmed());
        QVERIFY(putFile(
            pfad, kopf + "09:00:00;19;;;;;;;;\r\nkaputt;1\r\n08:00:00;18;;;;;;\r\n"
                         "08:30:00;x;;;;;;;;\r\n25:00:00;1;;;;;;;;\r\n08:00:00;17;;;;;;;;\n"));
        const QVector<Zeile> z = verlauf::lesen(pfad);
        QCOMPARE(z.size(), 2);
        QCOMPARE(z[0].werte[0], 17.0);
        QCOMPARE(z[1].zeit, QTime(9, 0));
    }

    void thinningKeepsEachColumnsExtremes() {
        QList<QPointF> p;
        auto* zufall = QRandomGenerator::global();
        for (int i = 0; i < 86400; ++i)
            p << QPointF(i, std::sin(i / 3000.0) * 10 + zufall->bounded(2.0));
        const int spalten = 700;
        const double x0 = 1000, x1 = 80000;
        const QList<QPointF> d = verlauf::ausduennen(p, x0, x1, spalten);
        QVERIFY(d.size() <= 2 * spalten);
        QVERIFY(std::is_sorted(d.begin(), d.end(),
                               [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }));
        QVERIFY(d.first().x() >= x0 && d.last().x() <= x1);
        const double breite = (x1 - x0) / spalten;
        for (int s = 0; s < spalten; ++s) {
            QPointF tief(0, 1e9), hoch(0, -1e9);
            for (const QPointF& q : p) {
                // The last column holds its right edge too, as the chart's range does.
                const bool rechts = s == spalten - 1 ? q.x() > x1 : q.x() >= x0 + (s + 1) * breite;
                if (q.x() < x0 + s * breite || rechts)
                    continue;
                tief = q.y() < tief.y() ? q : tief;
                hoch = q.y() > hoch.y() ? q : hoch;
            }
            QVERIFY2(d.contains(tief) && d.contains(hoch), qPrintable(QString::number(s)));
        }
        // Few points stay as they are.
        QCOMPARE(verlauf::ausduennen(p.mid(0, 50), 0, 49, 30), p.mid(0, 50));
    }

    // Rows of a day with a clock change lie where the time axis puts them.
    void timesOfADayWithAClockChange() {
        if (QDate(2024, 3, 31).startOfDay().secsTo(QDate(2024, 4, 1).startOfDay()) != 23 * 3600)
            QSKIP("no daylight-saving time zone here");
        for (const QDate tag : {QDate(2024, 3, 31), QDate(2024, 10, 27), QDate(2024, 7, 1)}) {
            const verlauf::TagesUhr uhr(tag);
            for (const QTime zeit : {QTime(0, 0), QTime(1, 30), QTime(3, 30), QTime(23, 59, 59)})
                QCOMPARE(uhr.ms(zeit), QDateTime(tag, zeit).toMSecsSinceEpoch());
        }
    }

    // The display's fetches become rows; a slave that does not answer leaves its cells empty,
    // a pass in which nothing answered leaves no row. The trend window grows with them.
    void fetchesAreRecordedAndShown() {
        VerlaufBench b;
        const std::pair<int, int> quellen[] = {{20, 120}, {40, 120}, {60, 120},
                                               {44, 120}, {20, 121}, {40, 121},
                                               {60, 121}, {44, 150}, {44, 151}};
        const double werte[] = {215, 198, -1, -35, 40, 35, 30, 1013, 250};
        for (int k = 0; k < verlauf::WERTE; ++k) {
            sim::ValueSource q;
            q.value = werte[k];
            b.sim->slave(quellen[k].first)->setValue(quellen[k].second, q);
        }
        QWidget* v = b.verlauf();
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 0);
        b.fetchAt({7, 40, 0});
        QVERIFY(b.sim->setDeviceOnline(44, false));
        b.fetchAt({7, 41, 0});
        b.t.link.setReplyTimeout(5);
        b.sim->faults().silent = true;
        b.fetchAt({7, 42, 0});
        QVERIFY(b.t.prompter.shown.isEmpty());

        const QByteArrayList z = zeilenDerDatei(b.heute());
        QCOMPARE(z.size(), 3);
        QCOMPARE(z[1], "07:40:00;21,5;19,8;-0,1;-3,5;40;35;30;1013;250\r");
        QCOMPARE(z[2], "07:41:00;21,5;19,8;-0,1;;40;35;30;;\r");

        QLineSeries* wz = VerlaufBench::serie(v, 0);
        QCOMPARE(wz->count(), 2);
        QCOMPARE(wz->at(1).y(), 21.5);
        QCOMPARE(VerlaufBench::serie(v, 3)->count(), 1); // outside: a gap, not a 0

        // A pass cut short by closing the display is no row.
        b.sim->faults().silent = false;
        b.t.link.setReplyTimeout(100);
        b.atFrame(20, [&b] { b.click(QStringLiteral("Command1")); });
        b.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        QTRY_VERIFY(!b.w);
        QCOMPARE(zeilenDerDatei(b.heute()).size(), 3);
    }

    void aLogThatCannotBeWrittenIsReportedOnce() {
        VerlaufBench b;
        QVERIFY(QDir().mkpath(b.heute())); // a directory where the file should go
        QWidget* v = b.verlauf();
        for (int s = 0; s < 3; ++s)
            b.fetchAt({7, 40, s});
        QCOMPARE(b.t.prompter.messages().size(), 1);
        QVERIFY(b.t.prompter.messages().first().contains(b.heute()));
        // What was fetched still shows.
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 3);
    }

    // Last hour, today, and an older day from its file; hovering names time and value.
    void rangesAndHover() {
        VerlaufBench b; // now: 5.12.2006 07:42:06
        const QLocale de(QLocale::German);
        for (const auto& [zeit, wert] :
             {std::pair{QTime(5, 0), 18.0}, {QTime(6, 50), 19.5}, {QTime(7, 40), 21.25}})
            QVERIFY(verlauf::anhaengen(b.heute(), zeile(zeit, {wert}), de));
        QVERIFY(verlauf::anhaengen(b.log({2006, 12, 3}), zeile({23, 0}, {17}), de));
        QVERIFY(putFile(b.t.ctx.DATEN_PFAD + QStringLiteral("VERLAUF_kein-Tag.csv"), "x"));

        QWidget* v = b.verlauf();
        auto* bereich = bench::child<QComboBox>(v, QStringLiteral("Combo_BEREICH"));
        QCOMPARE(bereich->count(), 3);
        QCOMPARE(bereich->itemData(2).toDate(), QDate(2006, 12, 3));
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 3);

        bereich->setCurrentIndex(VerlaufWindow::LETZTE_STUNDE);
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 2);
        // The time axis from and to round times.
        auto* fenster = qobject_cast<VerlaufWindow*>(v);
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(fenster->von()).time(), QTime(6, 40));
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(fenster->bis()).time(), QTime(7, 50));
        bereich->setCurrentIndex(2);
        QLineSeries* alt = VerlaufBench::serie(v, 0);
        QCOMPARE(alt->count(), 1);
        QCOMPARE(alt->at(0).y(), 17.0);
        // An older day does not grow with today's fetches.
        b.fetchAt({7, 43, 0});
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 1);

        bereich->setCurrentIndex(VerlaufWindow::HEUTE);
        QLineSeries* wz = VerlaufBench::serie(v, 0);
        QCOMPARE(wz->count(), 4);
        auto* grad =
            qobject_cast<QValueAxis*>(VerlaufBench::temperaturen(v)->axes(Qt::Vertical)[0]);
        for (const QPointF& q : wz->points())
            QVERIFY(grad->min() <= q.y() && q.y() <= grad->max());
        const QPointF p = wz->at(2);
        emit wz->hovered(p + QPointF(1000, 0.01), true);
        QCOMPARE(bench::child<QLabel>(v, QStringLiteral("Label_WERT"))->text(),
                 QStringLiteral("WZ Temperatur   07:40:00   21,25 °C"));
    }

    // Past midnight today is a new day, the last hour still reaches into yesterday, and
    // yesterday joins the older days.
    void midnight() {
        VerlaufBench b;
        b.t.system.clock = QDateTime({2006, 12, 5}, {23, 59, 50});
        for (const QTime zeit : {QTime(23, 10), QTime(23, 59)})
            QVERIFY(verlauf::anhaengen(b.heute(), zeile(zeit, {20}), QLocale(QLocale::German)));
        QWidget* v = b.verlauf();
        auto* bereich = bench::child<QComboBox>(v, QStringLiteral("Combo_BEREICH"));
        bereich->setCurrentIndex(VerlaufWindow::LETZTE_STUNDE);
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 2);

        b.t.system.clock = QDateTime({2006, 12, 6}, {0, 0, 10});
        b.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 3);
        QCOMPARE(bereich->count(), 3);
        QCOMPARE(bereich->itemData(2).toDate(), QDate(2006, 12, 5));
        bereich->setCurrentIndex(VerlaufWindow::HEUTE);
        QCOMPARE(VerlaufBench::serie(v, 0)->count(), 1);
    }
};

QTEST_MAIN(TestVerlauf)
#include "tst_verlauf.moc"
