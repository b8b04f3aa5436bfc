// zelmar-cli dump of the demo installation's 64 KiB EEPROM at 80, run as its own process
// against zelmar-sim on a pseudo-terminal, paced at 19200 8N1: the whole run (process start,
// port, 66 blocks read twice, the file written) against the line-rate limit of the read-out's
// frames and replies, as bench/eeprom measures the window's read-out.
//
//   build/bench/cli [txt|bin|hex]     default txt, the dump text; about 75 s

#include "benchsupport.h"

#include "jobs/eepromreadout.h"
#include "link/serialport.h"
#include "sim/interfacefirmware.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace zelmar;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString endung = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("txt");

    QTemporaryDir dir;
    QProcess simulator;
    const QString device = QString::fromLocal8Bit(
        benchsupport::startPacedSimulator(simulator, QStringLiteral(ZELMAR_SIM_PATH)));
    if (device.isEmpty())
        return 1;
    const QString settings = QStringLiteral("19200,n,8,1");
    const QString datei = dir.filePath(QStringLiteral("eeprom-80.") + endung);
    std::printf("zelmar-sim on %s, paced, line %s\n", qPrintable(device), qPrintable(settings));

    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer wand;
    wand.start();
    cli.start(QStringLiteral(ZELMAR_CLI_PATH),
              {QStringLiteral("--port"), device, QStringLiteral("--settings"), settings,
               QStringLiteral("--timeout"), QStringLiteral("1000"), QStringLiteral("dump"),
               QStringLiteral("80"), datei});
    if (!cli.waitForFinished(600000)) {
        std::fprintf(stderr, "zelmar-cli did not finish\n");
        return 1;
    }
    const double sekunden = wand.nsecsElapsed() / 1e9;
    std::printf("%s", cli.readAllStandardOutput().constData());

    const PortSettings linie = *parsePortSettings(settings);
    const double grenze = EepromReadout::linienSekunden(linie);
    // What the interface spends on the bus before it can answer: the address phase (START,
    // device and two address bytes) and the read's START and device byte, each block twice.
    const sim::InterfaceConfig interface;
    const double sclBit = (16.0 + 2.0 * interface.twbr) / interface.clockHz;
    const int bloecke = (EepromReadout::GROESSE + EepromReadout::BLOCK - 1) / EepromReadout::BLOCK;
    const double bus = 2 * bloecke * ((1 + 9 * 3) + (1 + 9)) * sclBit;
    std::printf("zelmar-cli dump (.%s): exit status %d, file %lld bytes\n", qPrintable(endung),
                cli.exitCode(), static_cast<long long>(QFileInfo(datei).size()));
    std::printf("  line-rate limit %.2f s, measured %.2f s (process start to end), ratio "
                "measured/limit %.4f\n",
                grenze, sekunden, sekunden / grenze);
    std::printf("  the interface's modelled bus time %.2f s; ratio measured/(limit + bus time) "
                "%.4f\n",
                bus, sekunden / (grenze + bus));
    simulator.terminate();
    simulator.waitForFinished(5000);
    return cli.exitCode() == 0 ? 0 : 1;
}
