// What a full day of the apartment's log costs the trend window: 86 400 rows, one fetch a
// second. Prints the time to read the file, to turn it into thinned points, and to open
// VERLAUF on it and draw it. Run it offscreen:
//   QT_QPA_PLATFORM=offscreen ./verlauf [rows]

#include "benchsupport.h"

#include "files/slavedirectory.h"
#include "files/textfile.h"
#include "home/homewindows.h"
#include "files/verlaufdatei.h"
#include "home/verlaufpunkte.h"
#include "link/link.h"
#include "link/virtualserialport.h"
#include "shell/appcontext.h"
#include "shell/windownames.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

using namespace zelmar;

namespace {

class QuietPrompter : public Prompter {
public:
    void message(const QString& text, const QString&) override {
        std::printf("message: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}
};

// A day of plausible rows: rooms swinging round their set points, radiators cycling, a slow
// pressure wave, the sun over noon; now and then a value that failed.
QByteArray tag(int zeilen, const verlauf::Format& format) {
    QByteArray bytes = "\xEF\xBB\xBF" + verlauf::kopfzeile(format).toUtf8() + "\r\n";
    for (int i = 0; i < zeilen; ++i) {
        const double s = i * 86400.0 / zeilen;
        verlauf::Zeile z;
        z.zeit = QTime(0, 0).addSecs(int(s));
        for (int r = 0; r < 3; ++r) {
            z.werte[r] = std::round((21 + 0.6 * std::sin(s / 240 + r)) * 10) / 10;
            z.werte[4 + r] = std::round(38 + 16 * std::sin(s / 240 + r + 1));
        }
        z.werte[3] = std::round((4 - 6 * std::cos((s / 3600 - 3) * M_PI / 12)) * 10) / 10;
        z.werte[7] = std::round(1013 + 9 * std::sin(s / 40000));
        z.werte[8] = std::max(0.0, std::round(850 * std::sin((s / 3600 - 6) * M_PI / 12)));
        if (i % 997 == 0)
            z.werte[3].reset();
        bytes += verlauf::zeilenText(z, format).toUtf8() + "\r\n";
    }
    return bytes;
}

// Wall and CPU time since the last restart: on a shared machine the CPU figure is the one to
// compare.
class Uhr {
public:
    Uhr() { restart(); }
    void restart() {
        m_wand.start();
        m_cpu = benchsupport::cpuSeconds();
    }
    void print(const char* was, int mal = 1, const QString& dazu = QString()) const {
        std::printf("%-40s %8.1f ms wall %8.1f ms CPU %s\n", was, m_wand.nsecsElapsed() / 1e6 / mal,
                    (benchsupport::cpuSeconds() - m_cpu) * 1000 / mal, qPrintable(dazu));
    }

private:
    QElapsedTimer m_wand;
    double m_cpu = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int zeilen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 86400;

    VirtualSerialPort port;
    Link link(port);
    SlaveDirectory slaves;
    QuietPrompter prompter;
    benchsupport::Clock system;
    AppContext ctx(link, slaves, prompter, system, QLocale(QLocale::German));
    QTemporaryDir dir;
    ctx.setProgrammPfad(dir.path());
    QDir().mkpath(ctx.DATEN_PFAD);
    registerHomeWindows(ctx.windows);

    const QDate heute = system.now().date();
    const QString pfad = textfile::inDir(ctx.DATEN_PFAD, verlauf::dateiname(heute));
    {
        QFile f(pfad);
        const QByteArray bytes = tag(zeilen, verlauf::Format::fuer(ctx.locale));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
        std::printf("log of %d rows, %.1f MB\n", zeilen, bytes.size() / 1e6);
    }

    Uhr t;
    const QVector<verlauf::Zeile> gelesen = verlauf::lesen(pfad);
    t.print("read and parse the file", 1, QStringLiteral("(%1 rows)").arg(gelesen.size()));

    const QVector<verlauf::Tag> tage{{heute, gelesen}};
    t.restart();
    const verlauf::Punkte punkte = verlauf::punkte(tage);
    t.print("rows to points, 9 curves");
    const qint64 von = heute.startOfDay().toMSecsSinceEpoch();
    const qint64 bis = heute.endOfDay().toMSecsSinceEpoch();
    t.restart();
    qsizetype gezeigt = 0;
    for (const QList<QPointF>& p : punkte)
        gezeigt += verlauf::ausduennen(p, von, bis, 1000).size();
    t.print("thin to 1000 pixel columns", 1, QStringLiteral("(%1 points kept)").arg(gezeigt));

    // The window as the user opens it: read, thin, fill the series, lay out and paint.
    t.restart();
    QWidget* w = ctx.windows.show(fenster::VERLAUF);
    w->resize(1100, 700);
    QCoreApplication::processEvents();
    w->grab();
    t.print("open VERLAUF on the file and paint it");

    // What each live redraw costs with a full day in the window.
    constexpr int kMal = 20;
    t.restart();
    for (int i = 0; i < kMal; ++i) {
        QMetaObject::invokeMethod(w, "Timer_ZEICHNEN_Timer");
        w->grab();
    }
    t.print("one redraw and paint, full day", kMal);
    delete w;
    return 0;
}
