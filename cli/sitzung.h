#pragma once

#include "cli.h"

#include "files/eepromimage.h"
#include "files/logbooks.h"
#include "files/settingsfiles.h"
#include "files/slavedirectory.h"
#include "files/systemservices.h"
#include "jobs/job.h"
#include "link/eeprombausteine.h"
#include "link/hardwareserialport.h"
#include "link/link.h"
#include "link/reply.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QLocale>
#include <QObject>
#include <QTextStream>

#include <optional>

namespace zelmar::cli {

// The options of a command line, checked for form before anything touches the line.
struct Optionen {
    QString port; // a device path, or a port number looked up in PORTS.ini
    QString settings;
    int timeoutMs = 0; // 0: from PROGRAMM.ini
    bool json = false;
    bool ja = false; // --yes
    std::optional<abbild::Format> format;
    int adressBytes = 2;
    bool adressBytesGegeben = false;
    std::optional<EepromBaustein> baustein; // --chip
    std::optional<int> wert;                // --value
    std::optional<int> empfangen;           // --receive
    std::optional<int> anzahl;              // --count
    std::optional<int> seite;               // --page
};

// A whole number in decimal or with "0x" in hexadecimal, within min..max.
std::optional<int> zahl(const QString& text, int min, int max);

// Why a file was not read or written: "no such file", "a FIFO, not a regular file", or the
// system's words.
QString grundText(const datei::Grund& grund);

// One run: the port, the link with its TWI logbook, and the streams. The settings files give
// the defaults, the options override them.
class Sitzung : public LinkNotifier, public SystemServices {
public:
    Sitzung(const Umgebung& umgebung, const Optionen& optionen, QString befehl);

    const Optionen& optionen() const { return m_optionen; }
    const QString& befehl() const { return m_befehl; }
    Link& link() { return m_link; }
    QTextStream& out() { return *m_umgebung.out; }
    const QLocale& locale() const { return m_locale; }
    QString programmPfad() const { return m_umgebung.programmPfad; }
    QString datenPfad() const { return m_datenPfad; }
    // SLAVE_INFO.ini of the program directory.
    SlaveDirectory verzeichnis() const;

    // Opens the port; false after saying why.
    bool verbinden();

    // "zelmar-cli: <text>" on standard error; the status.
    int melden(const QString& text, int status);
    // A usage error, with the hint to the command's help.
    int aufruf(const QString& text);
    // The link failed: what was being done, the status text and code of its reply.
    int linkFehler(const QString& was, const Reply& antwort);
    int linkFehler(const QString& was, qint16 statusCode, const QString& statusText);
    void json(const QJsonDocument& doc);

    // ERFOLG with --yes or for y, yes, j or ja typed on a terminal; otherwise the exit status,
    // said: AUFRUF when no terminal is there to ask, FEHLER for any other answer.
    int bestaetigen(const QString& frage);

    // Runs the job to its end, with a progress bar on a terminal; its result.
    template <typename J> typename J::Result laufen(J* job) {
        typename J::Result result;
        QObject::connect(job, &J::finished, [&](const typename J::Result& r) { result = r; });
        QObject::connect(job, &Job::progress,
                         [this](int done, int total) { fortschritt(done, total); });
        QEventLoop warten;
        QObject::connect(job, &Job::ended, &warten, &QEventLoop::quit);
        laeuft(job);
        job->start();
        warten.exec();
        laeuft(nullptr);
        fortschrittEnde();
        return result;
    }

    // LinkNotifier: the engine's messages go to standard error.
    void linkMessage(const QString& text) override;
    void linkBeep() override {}
    // SystemServices: the clock for the logbook and the VERLAUF log.
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    // The job unterbrechen() cancels.
    static void laeuft(Job* job);

private:
    // One line on standard error for a settings value that is not used.
    void warnen(const Einstellungswarnung& w);
    void fortschritt(int done, int total);
    void fortschrittEnde();

    const Umgebung& m_umgebung;
    Optionen m_optionen;
    QString m_befehl;
    QString m_datenPfad;
    QLocale m_locale;
    HardwareSerialPort m_port;
    Link m_link;
    TwiLogbook m_logbuch;
    int m_balken = -1; // percent last drawn
};

// The commands: the arguments after the command's name; the exit status.
int scan(Sitzung& s, const QStringList& a);
int check(Sitzung& s, const QStringList& a);
int info(Sitzung& s, const QStringList& a);
int diag(Sitzung& s, const QStringList& a);
int std_(Sitzung& s, const QStringList& a);
int send(Sitzung& s, const QStringList& a);
int read(Sitzung& s, const QStringList& a);
int write(Sitzung& s, const QStringList& a);
int dump(Sitzung& s, const QStringList& a);
int restore(Sitzung& s, const QStringList& a);
int verify(Sitzung& s, const QStringList& a);
int erase(Sitzung& s, const QStringList& a);
int detect(Sitzung& s, const QStringList& a);
int watch(Sitzung& s, const QStringList& a);

} // namespace zelmar::cli
