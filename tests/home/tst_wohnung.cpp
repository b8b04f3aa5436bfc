// The apartment display and the heating-house picture against the simulated installation.

#include "windowbench.h"

#include "home/anzeigetexte.h"

#include <QCheckBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

using namespace zelmar;

namespace {

const int kSlaves[] = {8, 20, 40, 44, 45, 60, 65, 66};
// Probes, date and clock of 8, seven clocks, five weather values, two values of three rooms;
// every standard command is two frames whether the slave answers or not.
constexpr int kFramesPerPass = 8 + 2 * 2 + 7 * 2 + 5 * 2 + 3 * 2 * 2;

struct WohnungBench : WindowBench {
    WohnungBench() : WindowBench(QStringLiteral("WOHNUNG")) {}

    QString text(const QString& label) const { return child<QLabel>(label)->text(); }
    QString marker(int a) const {
        return QStringLiteral("Shape_%1").arg(a, 3, 10, QLatin1Char('0'));
    }
    void fetch() {
        clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        // The display copies the values at its next tick.
        QSignalSpy tick(child<QTimer>(QStringLiteral("Timer_ANZEIGE")), &QTimer::timeout);
        QVERIFY(tick.wait(1000));
    }
    // A number in German format with the unit, inside the range.
    void checkValue(const QString& label, const QString& unit, double low, double high) const {
        const QString s = text(label);
        QVERIFY2(s.endsWith(unit), qPrintable(label + ": " + s));
        bool ok = false;
        const double v = QLocale(QLocale::German).toDouble(s.chopped(unit.size()), &ok);
        QVERIFY2(ok && v >= low && v <= high, qPrintable(label + ": " + s));
    }
    void setValue(int slave, int code, double value) {
        sim::ValueSource v;
        v.model = sim::ValueSource::Model::Constant;
        v.value = value;
        sim->slave(slave)->setValue(code, v);
    }
};

const QRegularExpression kClock(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));

} // namespace

class TestWohnung : public QObject {
    Q_OBJECT

private slots:
    void demoInstallationFillsThePlan() {
        WohnungBench b;
        // Nothing read yet: every slave red, every value missing.
        QTRY_COMPARE(b.colour(b.marker(8)), int(QB_HELLROT));
        QCOMPARE(b.text(QStringLiteral("Label_WZ_TEMPERATUR")), fehltText());

        b.fetch();
        QCOMPARE(b.t.frames.entries.size(), kFramesPerPass);
        for (int a : kSlaves)
            QCOMPARE(b.colour(b.marker(a)), int(QB_HELLGRUEN));
        QVERIFY(b.text(QStringLiteral("Label_ZEIT")).contains(kClock));
        const QDate heute = b.sim->slave(8)->clock(b.sim->clock().nowUs()).date();
        QCOMPARE(b.text(QStringLiteral("Label_DATUM")), heute.toString(QStringLiteral("dd.MM.yy")));
        for (int a : {20, 40, 44, 45, 60, 65, 66})
            QVERIFY(b.text(QStringLiteral("Label_ZEIT_%1").arg(a)).contains(kClock));

        b.checkValue(QStringLiteral("Label_WZ_TEMPERATUR"), QStringLiteral(" °C"), 18, 25);
        b.checkValue(QStringLiteral("Label_AZ_TEMPERATUR"), QStringLiteral(" °C"), 17, 23);
        b.checkValue(QStringLiteral("Label_KÜCHE_TEMPERATUR"), QStringLiteral(" °C"), 16, 23);
        for (const char* l : {"Label_WZ_HEIZUNG", "Label_AZ_HEIZUNG", "Label_KÜCHE_HEIZUNG"})
            b.checkValue(QString::fromUtf8(l), QStringLiteral(" °C"), 15, 60);
        b.checkValue(QStringLiteral("Label_AUSSENTEMÜERATUR"), QStringLiteral(" °C"), -15, 25);
        b.checkValue(QStringLiteral("Label_LUFTDRUCK"), QStringLiteral(" mbar"), 990, 1040);
        b.checkValue(QStringLiteral("Label_SONNE"), QString(), 0, 1000);
        const QRegularExpression sonnenzeit(QStringLiteral("^\\d{1,2}:\\d\\d$"));
        QVERIFY(b.text(QStringLiteral("Label_SONNENAUFGANG")).contains(sonnenzeit));
        QVERIFY(b.text(QStringLiteral("Label_SONNENUNTERGANG")).contains(sonnenzeit));
        // Nothing is read for the bathroom or the doors.
        QCOMPARE(b.text(QStringLiteral("Label_BAD_TEMPERATUR")), fehltText());
        QCOMPARE(b.colour(QStringLiteral("Shape_BAD_HEIZUNG")), int(QB_HELLGRAU));
        for (const char* d :
             {"Line_FLUR_TÜR", "Line_WZ_TÜR", "Line_AZ_TÜR", "Line_KÜCHE_TÜR", "Line_BAD_TÜR"})
            QVERIFY(!b.child(QString::fromUtf8(d))->isVisible());
        QCOMPARE(b.w->windowTitle(), QStringLiteral("ok"));
        QVERIFY(b.t.prompter.shown.isEmpty());
    }

    void aSlaveSwitchedOffShowsMissingValues() {
        WohnungBench b;
        QVERIFY(b.sim->setDeviceOnline(44, false));
        b.fetch();
        QCOMPARE(b.t.frames.entries.size(), kFramesPerPass);
        QCOMPARE(b.colour(b.marker(44)), int(QB_HELLROT));
        for (int a : {8, 20, 40, 45, 60, 65, 66})
            QCOMPARE(b.colour(b.marker(a)), int(QB_HELLGRUEN));
        for (const char* l : {"Label_ZEIT_44", "Label_AUSSENTEMÜERATUR", "Label_LUFTDRUCK",
                              "Label_SONNE", "Label_SONNENAUFGANG", "Label_SONNENUNTERGANG"})
            QCOMPARE(b.text(QString::fromUtf8(l)), fehltText());
        QVERIFY(b.text(QStringLiteral("Label_ZEIT_45")).contains(kClock));
        b.checkValue(QStringLiteral("Label_WZ_TEMPERATUR"), QStringLiteral(" °C"), 18, 25);

        // Back on: the next fetch fills it in again.
        QVERIFY(b.sim->setDeviceOnline(44, true));
        b.fetch();
        QCOMPARE(b.colour(b.marker(44)), int(QB_HELLGRUEN));
        b.checkValue(QStringLiteral("Label_LUFTDRUCK"), QStringLiteral(" mbar"), 990, 1040);
    }

    void valuesAndTheirFormat() {
        WohnungBench b;
        b.setValue(20, 120, -1); // bytes 0xFF 0xFF 0xFF
        b.setValue(20, 121, 30);
        b.setValue(40, 120, 215);
        b.setValue(40, 121, 31);
        b.setValue(60, 121, -5);
        b.setValue(44, 120, -35); // DD FF 00: 16 bits, no sign in the third byte
        b.setValue(44, 150, 1013);
        b.setValue(44, 151, 12345);
        b.setValue(44, 152, 7 + 5 * 256);   // 7:05
        b.setValue(44, 153, 17 + 42 * 256); // 17:42
        b.fetch();
        QCOMPARE(b.text(QStringLiteral("Label_WZ_TEMPERATUR")), QStringLiteral("-0,1 °C"));
        QCOMPARE(b.text(QStringLiteral("Label_WZ_HEIZUNG")), QStringLiteral("30 °C"));
        QCOMPARE(b.text(QStringLiteral("Label_AZ_TEMPERATUR")), QStringLiteral("21,5 °C"));
        QCOMPARE(b.text(QStringLiteral("Label_AZ_HEIZUNG")), QStringLiteral("31 °C"));
        QCOMPARE(b.text(QStringLiteral("Label_KÜCHE_HEIZUNG")), QStringLiteral("-5 °C"));
        QCOMPARE(b.text(QStringLiteral("Label_AUSSENTEMÜERATUR")), QStringLiteral("-3,5 °C"));
        QCOMPARE(b.text(QStringLiteral("Label_LUFTDRUCK")), QStringLiteral("1013 mbar"));
        QCOMPARE(b.text(QStringLiteral("Label_SONNE")), QStringLiteral("12345"));
        QCOMPARE(b.text(QStringLiteral("Label_SONNENAUFGANG")), QStringLiteral("7:05"));
        QCOMPARE(b.text(QStringLiteral("Label_SONNENUNTERGANG")), QStringLiteral("17:42"));
        // The radiator counts as running above 30 only.
        QCOMPARE(b.colour(QStringLiteral("Shape_WZ_HEIZUNG")), int(QB_HELLGRAU));
        QCOMPARE(b.colour(QStringLiteral("Shape_AZ_HEIZUNG")), int(QB_HELLROT));
        QCOMPARE(b.colour(QStringLiteral("Shape_KÜCHE_HEIZUNG")), int(QB_HELLGRAU));
    }

    void heatingThresholdAndEdgeNumberTexts() {
        QVERIFY(!heizungLaeuft(30.0));
        QVERIFY(heizungLaeuft(30.5));
        QVERIFY(!heizungLaeuft(std::nullopt));
        const QLocale de(QLocale::German);
        QCOMPARE(zahlText(-0.0, de), QStringLiteral("0"));
        QCOMPARE(zahlText(1234567, de), QStringLiteral("1234567"));
        QCOMPARE(zahlText(21.5, QLocale::c()), QStringLiteral("21.5"));
        QCOMPARE(messwertText(std::nullopt, QStringLiteral(" °C"), de), QStringLiteral("---"));
        QCOMPARE(uhrzeitText(0, 0), QStringLiteral("0:00"));
    }

    void repeatRunsUntilUnticked() {
        WohnungBench b;
        auto* repead = b.child<QCheckBox>(QStringLiteral("Check_REPEAD"));
        QTest::mouseClick(repead, Qt::LeftButton);
        QVERIFY(repead->isChecked());
        // Cleared during the second pass: that pass is finished, no third one starts.
        b.atFrame(kFramesPerPass + 12, [repead] { QTest::mouseClick(repead, Qt::LeftButton); });
        b.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        QVERIFY(!repead->isChecked());
        QCOMPARE(b.t.frames.entries.size(), 2 * kFramesPerPass);
        QVERIFY(b.child<QWidget>(QStringLiteral("Command_DATEN_HOLEN"))->isEnabled());
    }

    void closingDuringAFetchEndsIt() {
        WohnungBench b;
        QTest::mouseClick(b.child<QCheckBox>(QStringLiteral("Check_REPEAD")), Qt::LeftButton);
        QPointer<QCheckBox> repead = b.child<QCheckBox>(QStringLiteral("Check_REPEAD"));
        b.atFrame(20, [&b] { b.click(QStringLiteral("Command1")); });
        // Should the close be ignored, the failure shows without waiting out the test's time.
        b.atFrame(200, [repead] {
            if (repead)
                repead->setChecked(false);
        });
        b.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        // The transaction under way is completed (frames 20 and 21 belong to one command).
        QVERIFY(b.t.frames.entries.size() <= 21);
        QTRY_VERIFY(!b.w);
        QVERIFY(!b.t.ctx.windows.find(QStringLiteral("WOHNUNG")));
    }

    void aBrokenLineShowsNothingAsPresent() {
        WohnungBench b;
        b.fetch();
        QCOMPARE(b.colour(b.marker(20)), int(QB_HELLGRUEN));

        // Silent interface: every probe times out and counts as absent.
        b.t.link.setReplyTimeout(5);
        b.sim->faults().silent = true;
        b.fetch();
        for (int a : kSlaves)
            QCOMPARE(b.colour(b.marker(a)), int(QB_HELLROT));
        QCOMPARE(b.text(QStringLiteral("Label_WZ_TEMPERATUR")), fehltText());
        QCOMPARE(b.text(QStringLiteral("Label_ZEIT_20")), fehltText());
        QCOMPARE(b.w->windowTitle(), QStringLiteral("keine DATEN !!!"));

        // A port that cannot be opened: one message, the fetch stops, nothing stays green.
        b.sim->faults().silent = false;
        b.t.link.setReplyTimeout(100);
        b.fetch();
        QCOMPARE(b.colour(b.marker(20)), int(QB_HELLGRUEN));
        b.t.port.close();
        b.t.port.setOpenable(false);
        b.t.frames.entries.clear();
        QTest::mouseClick(b.child<QCheckBox>(QStringLiteral("Check_REPEAD")), Qt::LeftButton);
        b.fetch();
        QCOMPARE(b.t.frames.entries.size(), 1);
        QCOMPARE(b.t.prompter.messages().size(), 1);
        for (int a : kSlaves)
            QCOMPARE(b.colour(b.marker(a)), int(QB_HELLROT));
        QCOMPARE(b.text(QStringLiteral("Label_LUFTDRUCK")), fehltText());
        QCOMPARE(b.text(QStringLiteral("Label_ZEIT_66")), fehltText());
    }

    void heatingHousePicture() {
        WindowBench b(QStringLiteral("HAUS_HEIZHAUS"));
        // The six labels stay on the picture, whatever the window's size.
        for (int i = 0; i < 6; ++i) {
            auto* l = b.child<QLabel>(QStringLiteral("Label%1").arg(i + 1));
            QVERIFY(l->parentWidget()->rect().contains(l->geometry()));
        }
        QWidget* bild = b.child<QLabel>(QStringLiteral("Label1"))->parentWidget();
        const int schrift = b.child<QLabel>(QStringLiteral("Label1"))->font().pixelSize();
        b.w->resize(500, 380);
        QTRY_VERIFY(bild->width() < 500);
        QVERIFY(b.child<QLabel>(QStringLiteral("Label1"))->font().pixelSize() < schrift);
        for (int i = 0; i < 6; ++i) {
            auto* l = b.child<QLabel>(QStringLiteral("Label%1").arg(i + 1));
            QVERIFY(l->parentWidget()->rect().contains(l->geometry()));
        }
        b.click(QStringLiteral("Command_CLOSE"));
        QTRY_VERIFY(!b.w);
        QVERIFY(b.t.frames.entries.isEmpty());
    }
};

QTEST_MAIN(TestWohnung)
#include "tst_wohnung.moc"
