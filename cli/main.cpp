// zelmar-cli: the link, the jobs and the files of ZELMAR without a window.

#include "cli.h"

#include "i18n/sprache.h"

#include "files/datalocation.h"
#include "files/dateien.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>

#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signale[2] = {-1, -1};
// The question waiting for its answer, which Ctrl+C ends.
QEventLoop* g_frage = nullptr;
bool g_frageUnterbrochen = false;

void gemeldet(int nummer) {
    const char c = char(nummer);
    [[maybe_unused]] const auto n = ::write(g_signale[1], &c, 1);
}

// Ctrl+C and SIGTERM end a long command after its transaction, so the bus is released and no
// temporary file is left; without one under way they end the program as usual.
void unterbrechbar() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signale) != 0)
        return;
    auto* melder = new QSocketNotifier(g_signale[0], QSocketNotifier::Read, qApp);
    QObject::connect(melder, &QSocketNotifier::activated, [] {
        char c = 0;
        if (::read(g_signale[0], &c, 1) != 1)
            return;
        if (g_frage) {
            g_frageUnterbrochen = true;
            g_frage->quit();
        } else if (!zelmar::cli::unterbrechen()) {
            std::signal(c, SIG_DFL);
            std::raise(c);
        }
    });
    for (int nummer : {SIGINT, SIGTERM}) {
        struct sigaction a {};
        a.sa_handler = gemeldet;
        sigemptyset(&a.sa_mask);
        a.sa_flags = SA_RESTART;
        sigaction(nummer, &a, nullptr);
    }
}

// One line of standard input, read while the event loop runs so that Ctrl+C reaches the
// question; nullopt when it did. The end of the input is an empty answer.
std::optional<QString> zeileLesen() {
    QByteArray zeile;
    QEventLoop warten;
    QSocketNotifier eingabe(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&eingabe, &QSocketNotifier::activated, [&] {
        char c = 0;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (n <= 0 || c == '\n')
            warten.quit();
        else
            zeile.append(c);
    });
    g_frageUnterbrochen = false;
    g_frage = &warten;
    warten.exec();
    g_frage = nullptr;
    if (g_frageUnterbrochen)
        return std::nullopt;
    return QString::fromLocal8Bit(zeile);
}

// Where PORTS.ini, the settings files, SLAVE_INFO.ini and DATEN/ are: the window program's rule,
// so both find the same files.
QString programDirectory() {
    return zelmar::datalocation::programmPfad(QCoreApplication::applicationDirPath());
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelmar-cli"));

    unterbrechbar();

    QTextStream out(stdout);
    QTextStream err(stderr);
    zelmar::cli::Umgebung u;
    u.programmPfad = programDirectory();
    u.out = &out;
    u.err = &err;
    u.zeileLesen = zeileLesen;
    u.eingabeTerminal = isatty(STDIN_FILENO) != 0;
    u.fehlerTerminal = isatty(STDERR_FILENO) != 0;
    // The arguments as the system passed them: a file name that is no UTF-8 must reach the file
    // system as the same bytes.
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente << zelmar::datei::vonNativ(QByteArray(argv[i]));
    // The language the window program would choose, but English under the C locale.
    const zelmar::sprache::Wahl wahl = zelmar::sprache::ausArgumenten(argumente);
    if (!wahl.fehler.isEmpty()) {
        err << "zelmar-cli: " << wahl.fehler << '\n';
        return zelmar::cli::AUFRUF;
    }
    zelmar::sprache::installierenCli(
        wahl.sprache.value_or(zelmar::sprache::desktop(zelmar::sprache::Sprache::Englisch)));
    const int status = zelmar::cli::ausfuehren(argumente, u);
    out.flush();
    err.flush();
    return status;
}
