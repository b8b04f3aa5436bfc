// Pictures of the windows for the documentation. Not a test: it starts the program's windows on
// a program directory of its own whose COM 1 is the device given (the demo installation of
// zelmar-sim), presses a few buttons and writes PNG files.
//
//   console_shots <zelmar-sim device> <output directory> [--language en]

#include "shots.h"
#include "testcontext.h"

#include "app/start.h"
#include "console/konfigurationwindow.h"
#include "link/hardwareserialport.h"
#include "shell/desktopservices.h"
#include "shell/hauptwindow.h"
#include "shell/programm.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelmar;

namespace {

void press(QWidget* w, const char* name) {
    auto* b = w->findChild<QAbstractButton*>(name);
    if (!b)
        qFatal("no button %s", name);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

void save(QWidget* w, const QString& path) {
    QCoreApplication::processEvents();
    if (!w->grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    qInfo("%s", qPrintable(path));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = shots::argumente();
    if (args.size() != 2)
        qFatal("usage: zelmar_screenshots <device> <output directory>");
    const QString device = args.at(0);
    const QDir out(args.at(1));

    QTemporaryDir dir;
    putFile(dir.filePath("PORTS.ini"), device.toUtf8() + "\r\n");
    HardwareSerialPort port(dir.path());
    Link link(port);
    SlaveDirectory slaves;
    FakePrompter prompter;
    DesktopSystemServices system;
    AppContext ctx(link, slaves, prompter, system);
    ctx.exeName = QStringLiteral("zelmar");

    HauptWindow* haupt = Main(ctx, dir.path());
    if (!QTest::qWaitFor([&] { return ctx.windows.find("KONFIGURATION") != nullptr; }, 5000))
        qFatal("the console did not open");
    auto* console = static_cast<KonfigurationWindow*>(ctx.windows.find("KONFIGURATION"));

    for (const char* button :
         {"Command_DUMMY", "Command_MCUCSR", "Command_VOLT", "Command25", "Command_TAKT_AUSLESEN",
          "Command_FEHLERCODE_INTERFACE", "Command_TWI_PINS_AUSLESEN"})
        press(console, button);
    QTest::qWait(300);
    save(console, out.filePath("console.png"));
    save(haupt, out.filePath("main-window.png"));

    press(console, "Option_TWI_PROFI");
    QTest::qWait(300); // the next tick shows the view
    for (const char* button :
         {"Command_SENDE_ADRESSE_SLAVE_DIREKT_1", "Command_ADRESSE_TESTEN_AUTO",
          "Command_SENDE_ADRESSE_SLAVE_DIREKT_3", "Command_SLAVE_INFO", "Command_BERECHNEN",
          "Command_SCHALTER_HOLEN", "Command_SENDEN_HANDBETRIEB", "Command_4_ZEICHEN_EMPFANGEN",
          "OPTION_ZEIT_HOLEN", "Command_STANDARD_BEFEHLE_START"})
        press(console, button);
    QTest::qWait(300);
    save(console, out.filePath("console-profi.png"));

    press(console, "Option_MODEM");
    QTest::qWait(300);
    press(console, "Command_AN_MODEM_SENDEN");
    QTest::qWait(300);
    save(console, out.filePath("console-modem.png"));

    haupt->findChild<QAction*>("menue_HILFE")->trigger();
    save(ctx.windows.find("HILFE"), out.filePath("help.png"));
    haupt->findChild<QAction*>("menue_INFO")->trigger();
    save(ctx.windows.find("START"), out.filePath("info.png"));
    return 0;
}
