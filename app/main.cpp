// ZELMAR: commissioning, testing and operating a TWI bus installation through an RS232-TWI
// interface. The program reads no command line and no environment of its own.

#include "start.h"

#include "link/hardwareserialport.h"
#include "link/link.h"
#include "shell/appcontext.h"
#include "shell/desktopservices.h"
#include "shell/slavedirectory.h"
#include "ui/prompter.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The program ends through PROGRAMM_BEENDEN only, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    zelmar::HardwareSerialPort port(programDir);
    zelmar::Link link(port);
    zelmar::SlaveDirectory slaves;
    zelmar::DialogPrompter prompter(QStringLiteral("ZELMAR"));
    zelmar::DesktopSystemServices system;
    zelmar::AppContext ctx(link, slaves, prompter, system);

    zelmar::Main(ctx, programDir);
    return QApplication::exec();
}
