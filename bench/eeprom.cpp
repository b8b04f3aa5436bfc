// The complete read-out, the complete erase (16- and 128-byte pages) and the restore of a whole
// image (16- and 128-byte pages, then read back twice) of the demo installation's 64 KiB EEPROM
// at 80, and the same four of its 128-byte EEPROM at 81 (8-byte pages), run by the same
// job objects the EEPROM window uses, through the real serial port class to zelmar-sim on a
// pseudo-terminal, paced at 19200 8N1. Prints the wall time against the line-rate limit of the
// frames actually sent (each frame and its reply, 10 bit times a byte; for page writes also
// whatever part of the EEPROM's write cycle the line does not cover) and the CPU time this
// process used. The simulator runs in its own process, so its CPU is not counted; every frame
// goes to the TWI logbook as in the program.
//
//   build/bench/eeprom [readout|erase|restore|small|both|all]
//     default both (read-out and erase; the erase takes about 4 min in 16-byte pages and
//     about 1 min in 128-byte ones); restore: about 5 min; small: a few seconds

#include "benchsupport.h"

#include "files/eepromdump.h"
#include "files/logbooks.h"
#include "files/systemservices.h"
#include "jobs/eepromerase.h"
#include "jobs/eepromreadout.h"
#include "jobs/eepromrestore.h"
#include "link/eeprombausteine.h"
#include "link/hardwareserialport.h"
#include "link/link.h"
#include "sim/interfacefirmware.h"
#include "sim/serialeeprom.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>

#include <sys/resource.h>

using namespace zelmar;

namespace {

// What went over the line, from the frames the link sent: each frame, the reply its command
// gets, and the write cycles the line does not hide.
struct Linie {
    explicit Linie(const PortSettings& s) : zeichen(s.bitsPerCharacter() / s.baud) {}

    double zeichen; // seconds per character
    qint64 rahmenBytes = 0;
    qint64 antwortBytes = 0;
    int rahmen = 0;
    double schreibzyklus = 0; // seconds of write cycle the EEPROM needs after a page's STOP
    double zyklusRest = 0;    // the part of it not covered by line time
    bool nachSeite = false;   // the last frame was the STOP after a page write
    double bus = 0;           // bus time the interface needs before it can answer
    double sclBit = 0;        // seconds per SCL period

    static int antwort(const QByteArray& f) {
        const int befehl = quint8(f.at(1));
        if (befehl == 80)
            return 2 + quint8(f.at(6)) + 256 * quint8(f.at(7));
        if (befehl == 50 || befehl == 60 || befehl == 65 || befehl == 100)
            return 2;
        return 1;
    }
    // SCL periods a command keeps the interface on the bus before its reply can start: START,
    // 9 a byte, STOP (the bytes a read fetches go out while the UART still sends).
    static int busBits(const QByteArray& f) {
        const int daten = quint8(f.at(4)) + 256 * quint8(f.at(5));
        switch (quint8(f.at(1))) {
        case 50:
            return 1 + 9 * (1 + daten) + 1;
        case 60:
            return 1 + 9 * (1 + daten);
        case 65:
            return 9 * daten;
        case 80:
            return 1 + 9;
        case 100:
            return 1;
        default:
            return 0;
        }
    }
    void gesendet(const QByteArray& f, int vorher) {
        const int befehl = quint8(f.at(1));
        ++rahmen;
        bus += busBits(f) * sclBit;
        rahmenBytes += f.size();
        antwortBytes += antwort(f);
        // Between a page's STOP and the next frame's bus access lie the STOP's two reply
        // bytes and this frame.
        if (nachSeite)
            zyklusRest += std::max(0.0, schreibzyklus - (2 + f.size()) * zeichen);
        nachSeite = befehl == 100 && vorher == 65;
    }
    double grenze() const { return (rahmenBytes + antwortBytes) * zeichen + zyklusRest; }
};

template <typename J> typename J::Result laufen(Link& link, J* job, const char* was) {
    Linie linie(parsePortSettings(link.MSComm1().settings()).value_or(PortSettings()));
    linie.schreibzyklus = sim::SerialEeprom::Config().writeCycleUs / 1e6;
    const sim::InterfaceConfig interface;
    linie.sclBit = (16.0 + 2.0 * interface.twbr) / interface.clockHz; // prescaler 1
    QElapsedTimer wand;
    // ZELMAR's own share: from the last reply byte arriving to the next frame written.
    qint64 letzteAntwort = -1;
    double wende = 0;
    int vorher = -1;
    const auto verbindung = QObject::connect(&link, &Link::frameSent, [&](const QByteArray& f) {
        linie.gesendet(f, vorher);
        vorher = quint8(f.at(1));
        if (letzteAntwort >= 0)
            wende += (wand.nsecsElapsed() - letzteAntwort) / 1e9;
        letzteAntwort = -1;
    });
    const auto eingang = QObject::connect(&link.MSComm1(), &SerialPort::readyRead,
                                          [&] { letzteAntwort = wand.nsecsElapsed(); });
    typename J::Result result;
    QObject::connect(job, &J::finished, [&](const typename J::Result& r) { result = r; });
    QEventLoop warten;
    QObject::connect(job, &Job::ended, &warten, &QEventLoop::quit);

    wand.start();
    const double cpu0 = benchsupport::cpuSeconds();
    job->start();
    warten.exec();
    const double sekunden = wand.nsecsElapsed() / 1e9;
    const double cpu = benchsupport::cpuSeconds() - cpu0;
    QObject::disconnect(verbindung);
    QObject::disconnect(eingang);

    const double grenze = linie.grenze();
    std::printf("%s: %d frames, %lld frame bytes + %lld reply bytes = %lld byte times", was,
                linie.rahmen, static_cast<long long>(linie.rahmenBytes),
                static_cast<long long>(linie.antwortBytes),
                static_cast<long long>(linie.rahmenBytes + linie.antwortBytes));
    if (linie.schreibzyklus > 0 && std::string(was) != "read-out")
        std::printf(" + %.3f s of write cycle not covered by the line", linie.zyklusRest);
    std::printf("\n  line-rate limit %.2f s, measured %.2f s, ratio measured/limit %.4f\n", grenze,
                sekunden, sekunden / grenze);
    std::printf("  CPU %.2f s = %.2f %% of the wall time; failed blocks or pages %d\n", cpu,
                100 * cpu / sekunden, result.fehler);
    std::printf("  beyond the limit: %.2f s; of that ZELMAR's turnaround (last reply byte read to "
                "next frame written) %.2f s,\n  the interface's modelled bus time %.2f s, the rest "
                "(%.2f s) the pseudo-terminal, the simulator's pacing and scheduling\n",
                sekunden - grenze, wende, linie.bus, sekunden - grenze - wende - linie.bus);
    std::printf("  ratio measured/(limit + bus time) %.4f\n", sekunden / (grenze + linie.bus));
    return result;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString was = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("both");

    QTemporaryDir dir;
    QProcess simulator;
    const QByteArray device =
        benchsupport::startPacedSimulator(simulator, QStringLiteral(ZELMAR_SIM_PATH));
    if (device.isEmpty() || !benchsupport::portOneIs(dir.path(), device))
        return 1;
    const QString daten = dir.path() + QStringLiteral("/DATEN/");
    QDir().mkpath(daten);

    HardwareSerialPort port(dir.path());
    Link link(port);
    link.setReplyTimeout(1000);
    benchsupport::Clock services;
    TwiLogbook logbook(daten, services);
    link.setFrameLogSink(&logbook);
    std::printf("zelmar-sim on %s, paced, line %s\n", device.constData(),
                qPrintable(port.settings()));

    const QLocale locale(QLocale::German);
    int rc = 0;
    if (was == QLatin1String("readout") || was == QLatin1String("both") ||
        was == QLatin1String("all")) {
        const QString datei = dump::DUMP_DATEINAME(daten, 80);
        const auto r = laufen(link, new EepromReadout(link, 80, datei, locale), "read-out");
        std::printf("  dump: %lld lines, %s\n", static_cast<long long>(dump::zeilenZaehlen(datei)),
                    r.ende == EepromReadout::Ende::Fertig ? "complete" : "NOT complete");
        rc |= r.ende == EepromReadout::Ende::Fertig ? 0 : 1;
    }
    if (was == QLatin1String("erase") || was == QLatin1String("both") ||
        was == QLatin1String("all")) {
        for (int seite : {16, 128}) {
            const std::string name = "erase, " + std::to_string(seite) + "-byte pages";
            const auto r = laufen(link, new EepromErase(link, 80, 0, locale, seite), name.c_str());
            std::printf("  erase %s\n",
                        r.ende == EepromErase::Ende::Fertig ? "complete" : "NOT complete");
            rc |= r.ende == EepromErase::Ende::Fertig ? 0 : 1;
        }
    }
    if (was == QLatin1String("restore") || was == QLatin1String("all")) {
        for (int seite : {16, 128}) {
            // Every byte changes, so every page write really writes.
            QByteArray bytes(EepromAbbild::GROESSE, '\0');
            for (int a = 0; a < bytes.size(); ++a)
                bytes[a] = char((a * 13 + a / 256 + seite) & 0xFF);
            const EepromAbbild abbild = EepromAbbild::ausBytes(bytes);
            const std::string name = "restore, " + std::to_string(seite) + "-byte pages";
            auto* job =
                new EepromRestore(link, 80, abbild, EepromRestore::Modus::Schreiben, seite, locale);
            const auto r = laufen(link, job, name.c_str());
            const bool gut = r.ende == EepromRestore::Ende::Fertig && r.vergleich &&
                             r.vergleich->gleich() && r.vergleich->verglichen == bytes.size();
            std::printf("  %d bytes written, %d read back, %d write-cycle polls repeated; %s\n",
                        r.geschrieben, r.gelesen, r.polls, gut ? "0 Unterschiede" : "NOT restored");
            rc |= gut ? 0 : 1;
        }
    }

    if (was == QLatin1String("small") || was == QLatin1String("all")) {
        // The demo's 128-byte chip at 81: one address byte, 8-byte pages.
        const EepromBaustein chip = *eeprom::baustein(QStringLiteral("24C01"));
        const QString datei = dump::DUMP_DATEINAME(daten, 81, chip.groesse);
        const auto r =
            laufen(link, new EepromReadout(link, 81, datei, locale, abbild::Format::Dump, chip),
                   "read-out of the 128-byte chip");
        std::printf("  dump: %lld lines, %s\n", static_cast<long long>(dump::zeilenZaehlen(datei)),
                    r.ende == EepromReadout::Ende::Fertig ? "complete" : "NOT complete");
        rc |= r.ende == EepromReadout::Ende::Fertig ? 0 : 1;
        const auto e = laufen(link, new EepromErase(link, 81, 0, locale, chip.seite, chip),
                              "erase of the 128-byte chip, 8-byte pages");
        rc |= e.ende == EepromErase::Ende::Fertig ? 0 : 1;
        EepromAbbild abbild(chip.groesse);
        const bool geladen = abbild::laden(datei, &abbild, nullptr);
        for (auto modus : {EepromRestore::Modus::Schreiben, EepromRestore::Modus::Pruefen}) {
            const bool schreiben = modus == EepromRestore::Modus::Schreiben;
            const auto w =
                laufen(link, new EepromRestore(link, 81, abbild, modus, chip.seite, locale, chip),
                       schreiben ? "restore of the 128-byte chip, 8-byte pages"
                                 : "verify of the 128-byte chip");
            const bool gut = geladen && w.ende == EepromRestore::Ende::Fertig && w.vergleich &&
                             w.vergleich->gleich() && w.vergleich->verglichen == chip.groesse;
            std::printf("  %s\n", gut ? "0 Unterschiede" : "NOT restored");
            rc |= gut ? 0 : 1;
        }
    }

    link.setFrameLogSink(nullptr);
    port.close();
    simulator.terminate();
    simulator.waitForFinished(5000);
    return rc;
}
