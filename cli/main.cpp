// zelmar-cli: the link, the jobs and the files of ZELMAR without a window.

#include "cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include <unistd.h>

namespace {

// Where PORTS.ini, the settings files, SLAVE_INFO.ini and DATEN/ are: the one place that says.
QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelmar-cli"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    zelmar::cli::Umgebung u;
    u.programmPfad = programDirectory();
    u.out = &out;
    u.err = &err;
    u.zeileLesen = [&in] { return in.readLine(); };
    u.eingabeTerminal = isatty(STDIN_FILENO) != 0;
    u.fehlerTerminal = isatty(STDERR_FILENO) != 0;
    const int status = zelmar::cli::ausfuehren(app.arguments().mid(1), u);
    out.flush();
    err.flush();
    return status;
}
