// ZELMAR: commissioning, testing and operating a TWI bus installation through an RS232-TWI
// interface. The command line knows --version, --help and --language; the desktop's UI languages
// choose the language otherwise.

#include "start.h"

#include "files/datalocation.h"
#include "files/slavedirectory.h"
#include "i18n/sprache.h"
#include "link/hardwareserialport.h"
#include "link/link.h"
#include "shell/appcontext.h"
#include "shell/desktopservices.h"
#include "ui/prompter.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// Answered before any window exists, so they work without a display.
bool answeredCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("zelmar %s\n", ZELMAR_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: zelmar [--version | --help | --language de|en]\n"
                        "Commissions, tests and operates a TWI bus installation through an "
                        "RS232-TWI interface.\n"
                        "Settings files, PORTS.ini and the DATEN/ logbooks live beside the "
                        "program when its\ndirectory is writable, else in %s.\n"
                        "--language de|en chooses German or English; without it the desktop's "
                        "UI languages\ndecide (German unless English is preferred, German under "
                        "the C locale).\n",
                        qPrintable(zelmar::datalocation::userDataDir()));
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (answeredCommandLine(argc, argv))
        return 0;
    QApplication app(argc, argv);
    QStringList argumente = QCoreApplication::arguments();
    const zelmar::sprache::Wahl wahl = zelmar::sprache::ausArgumenten(argumente);
    if (!wahl.fehler.isEmpty()) {
        std::fprintf(stderr, "zelmar: %s\n", qPrintable(wahl.fehler));
        return 2;
    }
    zelmar::sprache::installieren(
        wahl.sprache.value_or(zelmar::sprache::desktop(zelmar::sprache::Sprache::Deutsch)));
    // The program ends through PROGRAMM_BEENDEN only, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programmPfad =
        zelmar::datalocation::programmPfad(QCoreApplication::applicationDirPath());
    zelmar::HardwareSerialPort port(programmPfad);
    zelmar::Link link(port);
    zelmar::SlaveDirectory slaves;
    zelmar::DialogPrompter prompter(QStringLiteral("ZELMAR"));
    zelmar::DesktopSystemServices system;
    zelmar::AppContext ctx(link, slaves, prompter, system);

    zelmar::Main(ctx, programmPfad);
    return QApplication::exec();
}
