#include "sitzung.h"

#include "files/settingsfiles.h"
#include "files/textfile.h"
#include "link/serialport.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

namespace zelmar::cli {

std::optional<int> zahl(const QString& text, int min, int max) {
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong n = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                            ? t.mid(2).toLongLong(&ok, 16)
                            : t.toLongLong(&ok, 10);
    if (!ok || n < min || n > max || t.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return int(n);
}

QString grundText(const datei::Grund& g) {
    using A = datei::Grund::Art;
    const QString link =
        g.wo.isEmpty()
            ? QString()
            : QCoreApplication::translate("zelmar::cli", " (the link leads to %1)").arg(g.wo);
    const QString keine = QCoreApplication::translate("zelmar::cli", ", not a regular file") + link;
    switch (g.art) {
    case A::Keiner:
        break;
    case A::Fehlt:
        return QCoreApplication::translate("zelmar::cli", "no such file");
    case A::OrdnerFehlt:
        return QCoreApplication::translate("zelmar::cli", "the directory %1 does not exist")
            .arg(g.wo);
    case A::Verzeichnis:
        return QCoreApplication::translate("zelmar::cli", "a directory") + keine;
    case A::Fifo:
        return QCoreApplication::translate("zelmar::cli", "a FIFO") + keine;
    case A::Geraet:
        return QCoreApplication::translate("zelmar::cli", "a device") + keine;
    case A::Socket:
        return QCoreApplication::translate("zelmar::cli", "a socket") + keine;
    case A::Anderes:
        return QCoreApplication::translate("zelmar::cli", "not a regular file") + link;
    case A::Verwaist:
        return QCoreApplication::translate("zelmar::cli",
                                           "a symbolic link to %1, which does not exist")
            .arg(g.wo);
    case A::System:
        return g.systemText();
    }
    return QString();
}

namespace {
QPointer<Job> g_laufend;
} // namespace

void Sitzung::laeuft(Job* job) {
    g_laufend = job;
}

bool unterbrechen() {
    if (!g_laufend)
        return false;
    g_laufend->cancel();
    return true;
}

Sitzung::Sitzung(const Umgebung& umgebung, const Optionen& optionen, QString befehl)
    : m_umgebung(umgebung), m_optionen(optionen), m_befehl(std::move(befehl)),
      m_datenPfad(textfile::inDir(umgebung.programmPfad, QStringLiteral("DATEN")) +
                  QLatin1Char('/')),
      m_port(umgebung.programmPfad), m_link(m_port), m_logbuch(m_datenPfad, *this, m_locale) {
    QDir().mkpath(m_datenPfad); // failure shows only as silent logbook writes, as in the GUI
    m_link.setFrameLogSink(&m_logbuch);
    m_link.setNotifier(this);
    QList<Einstellungswarnung> warnungen;
    loadSettingsInto(m_link, m_umgebung.programmPfad, &warnungen);
    m_port.setPortNumber(m_link.COM_PORT_NR);
    std::optional<int> portNummer = m_link.COM_PORT_NR;
    if (!m_optionen.port.isEmpty()) {
        portNummer = zahl(m_optionen.port, 1, 17);
        if (portNummer) {
            m_port.setPortNumber(*portNummer);
            m_link.COM_PORT_NR = *portNummer;
        } else {
            m_port.setDevice(m_optionen.port);
        }
    }
    if (portNummer)
        if (const auto ports = portsIniWarnung(m_umgebung.programmPfad, *portNummer))
            warnungen << *ports;
    for (const Einstellungswarnung& w : warnungen)
        warnen(w);
    if (!m_optionen.settings.isEmpty() && m_port.setSettings(m_optionen.settings))
        m_link.COM_SETTINGS = m_port.settings();
    if (m_optionen.timeoutMs > 0)
        m_link.setReplyTimeout(m_optionen.timeoutMs);
    m_link.SLAVE_ADRESSE = 127;
}

// A value the options replace is not used, so nothing is said of it.
void Sitzung::warnen(const Einstellungswarnung& w) {
    using W = Einstellungswarnung::Was;
    QString text;
    switch (w.was) {
    case W::Port:
        if (!m_optionen.port.isEmpty())
            return;
        text = QCoreApplication::translate("zelmar::cli",
                                           "%1 line 1: port '%2' is not 1 to 16; port %3 is used")
                   .arg(w.datei, w.wert, w.ersatz);
        break;
    case W::Antwortzeit:
        if (m_optionen.timeoutMs > 0)
            return;
        text = QCoreApplication::translate(
                   "zelmar::cli", "%1 line 2: reply time-out '%2' is not 1 to 65000 ms; %3")
                   .arg(w.datei, w.wert,
                        (w.bleibt
                             ? QCoreApplication::translate("zelmar::cli", "the previous %1 ms stay")
                             : QCoreApplication::translate("zelmar::cli", "%1 ms are used"))
                            .arg(w.ersatz));
        break;
    case W::Leitung:
        if (!m_optionen.settings.isEmpty())
            return;
        text = QCoreApplication::translate(
                   "zelmar::cli", "%1: '%2' is no line setting such as 19200,n,8,1; %3 is used")
                   .arg(w.datei, w.wert, w.ersatz);
        break;
    case W::PortsIni:
        text = QCoreApplication::translate("zelmar::cli", "%1 cannot be read (%2); port %3 is %4")
                   .arg(w.datei, grundText(w.grund))
                   .arg(w.port)
                   .arg(w.ersatz);
        break;
    }
    *m_umgebung.err << m_umgebung.programm << ": warning: " << text << Qt::endl;
}

SlaveDirectory Sitzung::verzeichnis() const {
    SlaveDirectory d;
    SLAVE_INFO_INI_LADEN(m_umgebung.programmPfad, d);
    return d;
}

bool Sitzung::verbinden() {
    if (m_port.open())
        return true;
    if (const auto h = m_port.heldBy())
        melden(QCoreApplication::translate("zelmar::cli", "%1: port in use by %2")
                   .arg(m_port.deviceName(),
                        h->pid > 0 ? QCoreApplication::translate("zelmar::cli", "process %1 (%2)")
                                         .arg(h->pid)
                                         .arg(h->program)
                                   : QCoreApplication::translate("zelmar::cli", "another process")),
               FEHLER);
    else
        melden(QCoreApplication::translate("zelmar::cli", "cannot open the serial port %1 (%2): %3")
                   .arg(m_port.deviceName(), m_port.settings(), m_port.openError()),
               FEHLER);
    return false;
}

int Sitzung::melden(const QString& text, int status) {
    *m_umgebung.err << m_umgebung.programm << ": " << text << Qt::endl;
    return status;
}

int Sitzung::aufruf(const QString& text) {
    melden(text, AUFRUF);
    *m_umgebung.err << "Try '" << m_umgebung.programm << ' ' << m_befehl << " --help'." << Qt::endl;
    return AUFRUF;
}

int Sitzung::linkFehler(const QString& was, const Reply& antwort) {
    return linkFehler(was, antwort.statusCode, antwort.statusText);
}

int Sitzung::linkFehler(const QString& was, qint16 statusCode, const QString& statusText) {
    // 110 leaves the text of the line, which was in order.
    const QString text = statusCode == STATUS_KEIN_ACK
                             ? QCoreApplication::translate("zelmar::cli", "not acknowledged")
                             : statusText;
    return melden(QCoreApplication::translate("zelmar::cli", "%1: %2 (status %3)")
                      .arg(was, text)
                      .arg(statusCode),
                  FEHLER);
}

void Sitzung::json(const QJsonDocument& doc) {
    out() << doc.toJson(QJsonDocument::Indented);
    out().flush();
}

int Sitzung::bestaetigen(const QString& frage) {
    if (m_optionen.ja)
        return ERFOLG;
    if (!m_umgebung.eingabeTerminal)
        return melden(frage + QCoreApplication::translate(
                                  "zelmar::cli", " Refused: standard input is no terminal and "
                                                 "--yes was not given."),
                      AUFRUF);
    *m_umgebung.err << frage << " [y/N] " << Qt::flush;
    const std::optional<QString> zeile =
        m_umgebung.zeileLesen ? m_umgebung.zeileLesen() : std::optional<QString>(QString());
    if (!zeile) {
        *m_umgebung.err << Qt::endl;
        return melden(QCoreApplication::translate("zelmar::cli", "interrupted, nothing done"),
                      FEHLER);
    }
    const QString antwort = zeile->trimmed().toLower();
    static const QStringList ja = {QStringLiteral("y"), QStringLiteral("yes"), QStringLiteral("j"),
                                   QStringLiteral("ja")};
    if (ja.contains(antwort))
        return ERFOLG;
    return melden(QCoreApplication::translate("zelmar::cli", "not confirmed, nothing done"),
                  FEHLER);
}

void Sitzung::linkMessage(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    melden(t.simplified(), FEHLER);
}

void Sitzung::fortschritt(int done, int total) {
    if (!m_umgebung.fehlerTerminal || total <= 0)
        return;
    const int prozent = int(qint64(done) * 100 / total);
    if (prozent == m_balken)
        return;
    m_balken = prozent;
    constexpr int BREITE = 40;
    const int voll = prozent * BREITE / 100;
    *m_umgebung.err << "\r" << m_befehl << " [" << QString(voll, QLatin1Char('#'))
                    << QString(BREITE - voll, QLatin1Char('-')) << "] "
                    << QStringLiteral("%1 %").arg(prozent, 3) << Qt::flush;
}

void Sitzung::fortschrittEnde() {
    if (m_balken >= 0)
        *m_umgebung.err << Qt::endl;
    m_balken = -1;
}

} // namespace zelmar::cli
