// What the home windows cost while they only refresh: CPU time of the process over a few
// seconds with one window open and nothing happening on the line. Run it offscreen:
//   QT_QPA_PLATFORM=offscreen ./home_idle [seconds]

#include "benchsupport.h"

#include "files/slavedirectory.h"
#include "files/systemservices.h"
#include "home/homewindows.h"
#include "link/link.h"
#include "link/virtualserialport.h"
#include "shell/appcontext.h"
#include "shell/windownames.h"
#include "sim/virtualinstallation.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

#include <sys/resource.h>

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

void idle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void measure(const char* what, int seconds) {
    idle(500); // let the window settle
    const double cpu0 = benchsupport::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    idle(seconds * 1000);
    const double cpu = benchsupport::cpuSeconds() - cpu0;
    const double s = wall.elapsed() / 1000.0;
    std::printf("%-34s %7.1f ms CPU in %.1f s = %5.2f %% of one core\n", what, cpu * 1000, s,
                100 * cpu / s);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    VirtualSerialPort port;
    sim::VirtualInstallation installation(port);
    Link link(port);
    SlaveDirectory slaves;
    QuietPrompter prompter;
    benchsupport::Clock system;
    AppContext ctx(link, slaves, prompter, system, QLocale(QLocale::German));
    registerHomeWindows(ctx.windows);

    measure("no window", seconds);
    {
        // What any 10 ms timer costs, to set the window's figure against.
        QTimer bare;
        bare.setInterval(10);
        QObject::connect(&bare, &QTimer::timeout, [] {});
        bare.start();
        measure("a bare 10 ms timer, no window", seconds);
    }

    QWidget* slaveInfo = ctx.windows.show(fenster::SLAVE_INFO);
    idle(100);
    QMetaObject::invokeMethod(slaveInfo, "Command_SCANNER_Click");
    measure("SLAVE_INFO after a scan (10 ms)", seconds);
    slaveInfo->close();
    // Outside the application's own loop a closed window is not deleted by itself.
    delete slaveInfo;

    QWidget* wohnung = ctx.windows.show(fenster::WOHNUNG);
    idle(100);
    QMetaObject::invokeMethod(wohnung, "Command_DATEN_HOLEN_Click");
    measure("WOHNUNG after a fetch (100 ms)", seconds);
    delete wohnung;
    return 0;
}
