// zelmar-cli as a user runs it: its own process against zelmar-sim on a pseudo-terminal. What
// depends on the program directory (PORTS.ini, SLAVE_INFO.ini, the logbook) runs the same
// command line in this process with a temporary directory instead.

#include "cli/cli.h"
#include "cli/sitzung.h"
#include "files/datalocation.h"
#include "files/eepromimage.h"
#include "files/settingsfiles.h"
#include "files/slavedirectory.h"
#include "files/verlaufdatei.h"
#include "sim/scenario.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

#include <csignal>

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace zelmar;

namespace {

const QList<int> kDemo = {8, 20, 40, 44, 45, 60, 65, 66, 80, 81};

struct Lauf {
    int status = -1;
    QString out;
    QString err;
};

QJsonObject jsonVon(const Lauf& l) {
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(l.out.toUtf8(), &e);
    [&] { QVERIFY2(e.error == QJsonParseError::NoError && d.isObject(), qPrintable(l.out)); }();
    return d.object();
}

qint64 fileLines(QFile& f) {
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const qint64 n = f.readAll().count('\n');
    f.close();
    return n;
}

QList<int> adressen(const QJsonArray& a) {
    QList<int> l;
    for (const auto& v : a)
        l << v.toObject().value(QStringLiteral("address")).toInt(-1);
    return l;
}

// The values of the apartment display, as the day's log has them.
const std::array<std::optional<double>, verlauf::WERTE> kWohnung = {21.5, 19.8, -0.1, -3.5, 40,
                                                                    35,   30,   1013, 250};

// The demo installation with constant values where the apartment display reads them.
QByteArray konstanteWohnung() {
    sim::Scenario sc = sim::Scenario::demo();
    const std::tuple<int, int, double> quellen[] = {
        {20, 120, 215}, {40, 120, 198}, {60, 120, -1},   {44, 120, -35}, {20, 121, 40},
        {40, 121, 35},  {60, 121, 30},  {44, 150, 1013}, {44, 151, 250}};
    for (sim::DeviceConfig& d : sc.devices)
        for (const auto& [slave, code, wert] : quellen)
            if (d.type == sim::DeviceConfig::Type::Atmega8 && d.slave.address == slave) {
                sim::ValueSource q;
                q.value = wert;
                d.slave.values[code] = q;
            }
    return sc.toJson();
}

// One JSON object a line, nothing else.
QList<QJsonObject> jsonZeilen(const QByteArray& out) {
    QList<QJsonObject> l;
    for (const QByteArray& z : out.split('\n')) {
        if (z.isEmpty())
            continue;
        QJsonParseError e;
        const QJsonDocument d = QJsonDocument::fromJson(z, &e);
        [&] { QVERIFY2(e.error == QJsonParseError::NoError && d.isObject(), z.constData()); }();
        l << d.object();
    }
    return l;
}

QString verlaufDatei(const QString& programmPfad, const QDate& tag) {
    return programmPfad + QStringLiteral("/DATEN/") + verlauf::dateiname(tag);
}

// Files by the bytes of their names.
QByteArray fileBytes(const QByteArray& pfad) {
    QFile f;
    const int fd = ::open(pfad.constData(), O_RDONLY);
    return fd >= 0 && f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? f.readAll()
                                                                                    : QByteArray();
}
QByteArray fileBytes(const QString& pfad) {
    return fileBytes(QFile::encodeName(pfad));
}
bool putFile(const QByteArray& pfad, const QByteArray& bytes) {
    QFile f;
    const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    return fd >= 0 && f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
           f.write(bytes) == bytes.size();
}
bool putFile(const QString& pfad, const QByteArray& bytes) {
    return putFile(QFile::encodeName(pfad), bytes);
}

// What stands under a name, the link itself and not its target; 0 for nothing.
mode_t art(const QByteArray& pfad) {
    struct stat st {};
    return ::lstat(pfad.constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

} // namespace

// Locale variables of a zelmar-cli run, by name.
using Sprachumgebung = QList<QPair<QString, QString>>;

class TstCli : public QObject {
    Q_OBJECT

    QProcess m_sim;
    QString m_device;
    QTemporaryDir m_dir;

    // zelmar-cli in its own process, on the simulator's device.
    // Under the C locale (the messages English unless --language says otherwise) or `sprache`.
    Lauf cli(const QStringList& args, const Sprachumgebung& sprache = {
                                          {QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")}}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
            env.remove(QLatin1String(v));
        for (const auto& [name, wert] : sprache)
            env.insert(name, wert);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZELMAR_CLI_PATH),
                QStringList{QStringLiteral("--port"), m_device, QStringLiteral("--timeout"),
                            QStringLiteral("300")} +
                    args);
        p.closeWriteChannel(); // standard input: no terminal, nothing to read
        [&] { QVERIFY(p.waitForFinished(60000)); }();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    // The same command line in this process, with `programmPfad` as the program directory.
    // With `antworten`, standard input and error are terminals and the answers are typed.
    Lauf imProzess(const QString& programmPfad, const QStringList& args,
                   QStringList* antworten = nullptr) {
        Lauf l;
        QTextStream out(&l.out), err(&l.err);
        cli::Umgebung u;
        u.programmPfad = programmPfad;
        u.out = &out;
        u.err = &err;
        if (antworten) {
            u.eingabeTerminal = u.fehlerTerminal = true;
            u.zeileLesen = [antworten] { return antworten->takeFirst(); };
        }
        l.status = cli::ausfuehren(args, u);
        return l;
    }
    // zelmar-cli through the shell, for arguments that are bytes rather than text.
    Lauf shell(const QByteArray& befehle) {
        QProcess p;
        p.setProcessChannelMode(QProcess::SeparateChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZC"), QStringLiteral(ZELMAR_CLI_PATH));
        env.insert(QStringLiteral("DEV"), m_device);
        env.insert(QStringLiteral("D"), m_dir.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromUtf8(befehle)});
        p.closeWriteChannel();
        [&] { QVERIFY(p.waitForFinished(60000)); }();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    void simSteuern(const QByteArray& befehl) {
        m_sim.write(befehl + '\n');
        QVERIFY(m_sim.waitForReadyRead(5000));
        QCOMPARE(m_sim.readLine().trimmed(), QByteArray("ok"));
    }
    QString datei(const QString& name) const { return m_dir.filePath(name); }
    void simStarten(const QStringList& optionen = {QStringLiteral("--no-pace")}) {
        m_sim.start(QStringLiteral(ZELMAR_SIM_PATH),
                    QStringList{QStringLiteral("--control")} + optionen);
        QVERIFY(m_sim.waitForStarted(5000));
        QVERIFY(m_sim.waitForReadyRead(5000));
        m_device = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
        QVERIFY2(m_device.startsWith(QLatin1String("/dev/")), qPrintable(m_device));
    }

private slots:
    void init() { simStarten(); }
    void cleanup() {
        m_sim.terminate();
        m_sim.waitForFinished(5000);
    }

    void scanAndQueriesOfTheDemo() {
        Lauf l = cli({QStringLiteral("scan")});
        QCOMPARE(l.status, 0);
        QList<int> gefunden;
        for (const QString& z : l.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            gefunden << z.section(QLatin1Char('\t'), 0, 0).toInt();
        QCOMPARE(gefunden, kDemo);

        l = cli({QStringLiteral("--json"), QStringLiteral("scan")});
        QCOMPARE(l.status, 0);
        QCOMPARE(adressen(jsonVon(l).value(QStringLiteral("found")).toArray()), kDemo);

        l = cli({QStringLiteral("info"), QStringLiteral("44"), QStringLiteral("--json")});
        QCOMPARE(l.status, 0);
        QCOMPARE(jsonVon(l).value(QStringLiteral("address")).toInt(), 44);
        QVERIFY(!jsonVon(l).value(QStringLiteral("name")).toString().isEmpty());

        l = cli({QStringLiteral("--json"), QStringLiteral("std"), QStringLiteral("44"),
                 QStringLiteral("110")});
        QCOMPARE(l.status, 0);
        const QJsonArray antwort = jsonVon(l).value(QStringLiteral("reply")).toArray();
        QCOMPARE(antwort.size(), 4);
        QCOMPARE(antwort.at(0).toInt(), 110); // the slave echoes the request code

        l = cli({QStringLiteral("diag"), QStringLiteral("--json")});
        QCOMPARE(l.status, 0);
        const QJsonObject d = jsonVon(l);
        for (const char* k :
             {"connection", "resetCause", "voltage", "name", "clock", "errorCode", "busLines"})
            QVERIFY2(d.value(QLatin1String(k)).toObject().contains(QStringLiteral("text")), k);
        QCOMPARE(d.value(QStringLiteral("busLines"))[QStringLiteral("ok")].toBool(), true);

        // A frame by hand: command 80 reads 4 bytes, framed by the two status bytes.
        l = cli({QStringLiteral("send"), QStringLiteral("80"), QStringLiteral("44"),
                 QStringLiteral("--receive"), QStringLiteral("4")});
        QCOMPARE(l.status, 0);
        QCOMPARE(l.out.split(QLatin1Char(' ')).size(), 6);
    }

    // Port number 3 through PORTS.ini, the names from SLAVE_INFO.ini, the TWI logbook.
    void checkAgainstTheDirectory() {
        QFile ports(datei(QStringLiteral("PORTS.ini")));
        QVERIFY(ports.open(QIODevice::WriteOnly));
        ports.write("\r\n\r\n" + m_device.toLocal8Bit() + "\r\n");
        ports.close();
        SlaveDirectory d;
        for (int a : kDemo)
            d.SLAVE_NAME[a] = QStringLiteral("Geraet %1").arg(a);
        QVERIFY(SLAVE_INFO_INI_SPEICHERN(m_dir.path(), d));
        const QStringList check = {QStringLiteral("--port"), QStringLiteral("3"),
                                   QStringLiteral("--timeout"), QStringLiteral("300"),
                                   QStringLiteral("check")};

        Lauf l = imProzess(m_dir.path(), check);
        QCOMPARE(l.status, 0);
        QVERIFY2(l.out.contains(QLatin1String("matches")), qPrintable(l.out + l.err));

        simSteuern("offline 44");
        l = imProzess(m_dir.path(), check + QStringList{QStringLiteral("--json")});
        QCOMPARE(l.status, 3);
        const QJsonObject j = jsonVon(l);
        QCOMPARE(adressen(j.value(QStringLiteral("missing")).toArray()), QList<int>{44});
        QCOMPARE(j.value(QStringLiteral("missing"))[0][QStringLiteral("name")].toString(),
                 QStringLiteral("Geraet 44"));
        QVERIFY(j.value(QStringLiteral("unknown")).toArray().isEmpty());

        // An address that answers without a name.
        d.SLAVE_NAME[45] = QStringLiteral("...");
        QVERIFY(SLAVE_INFO_INI_SPEICHERN(m_dir.path(), d));
        l = imProzess(m_dir.path(), check);
        QCOMPARE(l.status, 3);
        QVERIFY2(l.out.contains(QLatin1String("unknown (answered, no name in SLAVE_INFO.ini):\n"
                                              " 45\n")),
                 qPrintable(l.out));
        QVERIFY2(l.out.contains(QLatin1String("missing (named in SLAVE_INFO.ini, no answer):\n"
                                              " 44  Geraet 44\n")),
                 qPrintable(l.out));

        l = imProzess(m_dir.path(),
                      {QStringLiteral("--port"), QStringLiteral("3"), QStringLiteral("--timeout"),
                       QStringLiteral("300"), QStringLiteral("info"), QStringLiteral("44")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("not acknowledged")), qPrintable(l.err));

        // One line per frame: scans of 128 probes and a STOP, and the name request.
        QFile logbuch(datei(QStringLiteral("DATEN/LOGBUCH_TWI.txt")));
        QVERIFY(logbuch.open(QIODevice::ReadOnly));
        QVERIFY(logbuch.readAll().count('\n') >= 2 * 129 + 1);
    }

    void dumpVerifyAndAChangedByte() {
        const QString bin = datei(QStringLiteral("e.bin"));
        const QString txt = datei(QStringLiteral("e.txt"));
        QCOMPARE(cli({QStringLiteral("dump"), QStringLiteral("80"), bin}).status, 0);
        QCOMPARE(QFileInfo(bin).size(), 65536);
        QCOMPARE(cli({QStringLiteral("dump"), QStringLiteral("80"), txt}).status, 0);
        for (const QString& f : {bin, txt})
            QCOMPARE(cli({QStringLiteral("verify"), QStringLiteral("80"), f}).status, 0);
        // The format named outright instead of by the extension.
        const QString dat = datei(QStringLiteral("e.dat"));
        QVERIFY(QFile::copy(txt, dat));
        QCOMPARE(cli({QStringLiteral("verify"), QStringLiteral("80"), dat}).status, 1);
        QCOMPARE(cli({QStringLiteral("verify"), QStringLiteral("80"), dat,
                      QStringLiteral("--format"), QStringLiteral("txt")})
                     .status,
                 0);

        QFile f(bin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const quint8 alt = quint8(f.readAll().at(1234));
        const Lauf w = cli({QStringLiteral("write"), QStringLiteral("80"), QStringLiteral("1234"),
                            QString::number(alt ^ 0xFF)});
        QCOMPARE(w.status, 0);
        const Lauf r = cli({QStringLiteral("read"), QStringLiteral("80"), QStringLiteral("0x4D0"),
                            QStringLiteral("3")});
        // 1232..1234: the written byte comes last.
        QVERIFY2(r.out.startsWith(QLatin1String("04D0: ")), qPrintable(r.out));
        QCOMPARE(r.out.trimmed().right(3),
                 QStringLiteral(" %1").arg(alt ^ 0xFF, 2, 16, QLatin1Char('0')).toUpper());

        // The fingerprint of dump and verify is the file's own, and a change shows in both.
        const QString bin2 = datei(QStringLiteral("e2.bin"));
        const Lauf d = cli({QStringLiteral("dump"), QStringLiteral("80"), bin2, "--json"});
        QCOMPARE(d.status, 0);
        const QString hash = QString::fromLatin1(
            QCryptographicHash::hash(fileBytes(bin2), QCryptographicHash::Sha256).toHex());
        QCOMPARE(jsonVon(d).value(QStringLiteral("sha256")).toString(), hash);
        const Lauf vj = cli({QStringLiteral("verify"), QStringLiteral("80"), bin, "--json"});
        QCOMPARE(vj.status, 3);
        const QJsonObject vo = jsonVon(vj);
        QVERIFY(vo.value(QStringLiteral("sha256")).toString() != hash);
        QCOMPARE(vo.value(QStringLiteral("differences"))[0][QStringLiteral("address")].toInt(),
                 1234);
        QCOMPARE(vo.value(QStringLiteral("differences"))[0][QStringLiteral("eeprom")].toInt(),
                 alt ^ 0xFF);
        QVERIFY(cli({QStringLiteral("verify"), QStringLiteral("80"), bin2})
                    .out.contains(QStringLiteral("SHA-256 of %1: %2").arg(bin2, hash)));

        const Lauf v = cli({QStringLiteral("verify"), QStringLiteral("80"), bin});
        QCOMPARE(v.status, 3);
        QVERIFY2(v.out.contains(QLatin1String("address 1234 (0x04D2)")), qPrintable(v.out));
        QVERIFY2(v.out.contains(QLatin1String("1 of 65536")), qPrintable(v.out));
    }

    void restoreRoundTrip() {
        // Two images of 300 bytes across page boundaries, differing everywhere.
        EepromAbbild a, b;
        for (int i = 1000; i < 1300; ++i) {
            a.setzen(i, quint8(i * 7));
            b.setzen(i, quint8(i * 7 + 1));
        }
        const QString hexA = datei(QStringLiteral("a.hex"));
        const QString hexB = datei(QStringLiteral("b.hex"));
        QVERIFY(abbild::speichern(hexA, a, abbild::Format::IntelHex, QLocale::c()));
        QVERIFY(abbild::speichern(hexB, b, abbild::Format::IntelHex, QLocale::c()));

        QCOMPARE(
            cli({QStringLiteral("restore"), QStringLiteral("80"), hexA, QStringLiteral("--yes")})
                .status,
            0);
        QCOMPARE(cli({QStringLiteral("verify"), QStringLiteral("80"), hexA}).status, 0);

        // Without --yes and without a terminal to ask on, nothing is written.
        const Lauf nein = cli({QStringLiteral("restore"), QStringLiteral("80"), hexB});
        QCOMPARE(nein.status, 2);
        QVERIFY2(nein.err.contains(QLatin1String("--yes")), qPrintable(nein.err));
        QCOMPARE(cli({QStringLiteral("verify"), QStringLiteral("80"), hexA}).status, 0);

        QCOMPARE(
            cli({QStringLiteral("--yes"), QStringLiteral("restore"), QStringLiteral("80"), hexB})
                .status,
            0);
        QCOMPARE(cli({QStringLiteral("verify"), QStringLiteral("80"), hexB}).status, 0);
        const Lauf v = cli({QStringLiteral("verify"), QStringLiteral("80"), hexA});
        QCOMPARE(v.status, 3);
        QVERIFY(v.out.contains(QLatin1String("300 of 300")));
    }

    void confirmationAndProgressOnATerminal() {
        EepromAbbild bild;
        for (int i = 2000; i < 2100; ++i)
            bild.setzen(i, quint8(i));
        const QString hex = datei(QStringLiteral("c.hex"));
        QVERIFY(abbild::speichern(hex, bild, abbild::Format::IntelHex, QLocale::c()));
        const QStringList port = {QStringLiteral("--port"), m_device};
        const QStringList restore =
            port + QStringList{QStringLiteral("restore"), QStringLiteral("80"), hex};
        QStringList antworten = {QStringLiteral("nein"), QStringLiteral(" JA ")};

        Lauf l = imProzess(m_dir.path(), restore, &antworten);
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("[y/N]")), qPrintable(l.err));
        QVERIFY(!l.err.contains(QLatin1Char('#')));
        QCOMPARE(imProzess(m_dir.path(), port + QStringList{"verify", "80", hex}).status, 3);

        l = imProzess(m_dir.path(), restore, &antworten);
        QCOMPARE(l.status, 0);
        QVERIFY2(l.err.contains(QLatin1String("#] 100 %")), qPrintable(l.err));
        QVERIFY(antworten.isEmpty());
        l = imProzess(m_dir.path(), port + QStringList{"verify", "80", hex});
        QCOMPARE(l.status, 0);
        QVERIFY2(l.err.isEmpty(), qPrintable(l.err)); // no terminal, no bar
    }

    // Each command reads the whole reply its frame gets: fewer bytes would leave part of it
    // unseen, more would wait out the time-out and fail.
    void sendReadsTheWholeReply_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("bytes");
        QTest::newRow("voltage") << QStringList{"send", "3", "0"} << 1;
        QTest::newRow("name") << QStringList{"send", "4", "0"} << 16;
        QTest::newRow("clock") << QStringList{"send", "12", "0"} << 4;
        QTest::newRow("probe") << QStringList{"send", "60", "44"} << 2;
        QTest::newRow("write with STOP")
            << QStringList{"send", "50", "0x50", "0", "9", "0x42"} << 2;
        QTest::newRow("read") << QStringList{"send", "80", "80", "--receive", "300"} << 302;
        QTest::newRow("STOP") << QStringList{"send", "100", "80"} << 2;
    }
    void sendReadsTheWholeReply() {
        QFETCH(QStringList, args);
        QFETCH(int, bytes);
        const Lauf l = cli(args);
        QCOMPARE(l.status, 0);
        QCOMPARE(l.out.trimmed().split(QLatin1Char(' ')).size(), bytes);
    }

    // A write may end on the EEPROM's last byte; one address byte for the small part.
    void writesUpToTheEnd() {
        QCOMPARE(cli({"write", "80", "65534", "1", "0xFE"}).status, 0);
        QCOMPARE(cli({"read", "80", "65533", "3"}).out, QStringLiteral("FFFD: FF 01 FE\n"));
        const QStringList eins = {QStringLiteral("--address-bytes"), QStringLiteral("1")};
        QCOMPARE(cli(QStringList{"write", "81", "120", "1", "2", "0xFE"} + eins).status, 0);
        const Lauf l = cli(QStringList{"read", "81", "118", "6"} + eins);
        QCOMPARE(l.status, 0);
        QCOMPARE(l.out.mid(6, 14), QStringLiteral("FF FF 01 02 FE"));
    }

    // The 128-byte chip at 81 taken for another: every command is refused before it writes,
    // nothing wraps around the chip's end, and the chip keeps every byte.
    void noWrongSuccessOnTheSmallChip() {
        const QStringList alles = {"read", "81", "0", "128", "--chip", "24C01"};
        const Lauf vorher = cli(alles);
        QCOMPARE(vorher.status, 0);
        QCOMPARE(vorher.out.count(QLatin1Char('\n')), 8);

        struct Fall {
            QStringList args;
            int status;
            const char* sagt;
        };
        const QString bin = datei(QStringLiteral("e81.bin"));
        const Fall faelle[] = {
            {{"write", "81", "127", "1", "2", "--address-bytes", "1"}, 2, "do not fit"},
            {{"write", "81", "127", "1", "2", "--chip", "24C01"}, 2, "do not fit"},
            {{"write", "81", "5", "9"}, 1, "--chip"},
            {{"read", "81", "120", "20"}, 1, "one address byte"},
            {{"read", "81", "120", "20", "--chip", "24c01"}, 2, "128 bytes"},
            {{"read", "80", "65535", "2", "--chip", "24C512"}, 2, "do not fit"},
            {{"dump", "81", bin}, 1, "--chip"},
            {{"erase", "81", "--yes"}, 1, "--chip"},
            {{"read", "81", "0", "1", "--chip", "24C99"}, 2, "24C01, 24C02"},
            {{"read", "81", "0", "1", "--chip", "24C01", "--address-bytes", "2"}, 2, "24C01"},
            {{"read", "89", "0", "1", "--chip", "24C16"}, 2, "88"},
            {{"erase", "89", "--chip", "24C16"}, 2, "88"},
            {{"dump", "90", bin, "--chip", "24C16"}, 2, "88"},
        };
        for (const Fall& f : faelle) {
            const Lauf l = cli(f.args);
            QVERIFY2(l.status == f.status, qPrintable(f.args.join(' ') + ": " + l.err));
            QVERIFY2(l.err.contains(QLatin1String(f.sagt)),
                     qPrintable(f.args.join(' ') + ": " + l.err));
        }
        QVERIFY(!QFileInfo::exists(bin));
        QCOMPARE(cli(alles).out, vorher.out);

        // Named or detected, the small chip is read and written where it is asked.
        QCOMPARE(cli({"write", "81", "126", "0x11", "0x22", "--address-bytes", "1"}).status, 0);
        QCOMPARE(cli({"read", "81", "120", "8", "--chip", "24C01"}).out,
                 QStringLiteral("0078: FF FF FF FF FF FF 11 22\n"));
        QCOMPARE(cli({"read", "81", "0", "2", "--address-bytes", "1"}).out,
                 QStringLiteral("0000: 08 14\n"));
    }

    // The demo's 128-byte chip, named: read out, changed, restored and verified in its own
    // geometry; its dump has a line a byte and its size in the name.
    void theSmallChipRoundTrip() {
        const QString txt = datei(QStringLiteral("EEPROM_128_81.txt"));
        const QStringList chip = {"--chip", "24C01"};
        Lauf l = cli(QStringList{"dump", "81", txt, "--json"} + chip);
        QVERIFY2(l.status == 0, qPrintable(l.err));
        const QString sha = jsonVon(l).value(QStringLiteral("sha256")).toString();
        QCOMPARE(jsonVon(l).value(QStringLiteral("bytes")).toInt(), 128);
        QFile f(txt);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 128);
        l = cli(QStringList{"verify", "81", txt} + chip);
        QVERIFY2(l.status == 0, qPrintable(l.err));
        QVERIFY(l.out.contains(sha));
        QVERIFY(!l.out.contains(QLatin1String("not compared")));
        // A binary of the first 100 bytes matches, and says what it did not compare.
        const QString teil = datei(QStringLiteral("teil.bin"));
        QFile t(teil);
        QVERIFY(t.open(QIODevice::WriteOnly));
        QVERIFY(f.seek(0));
        QByteArray zeilen = f.readAll();
        EepromAbbild bild(128);
        QVERIFY(abbild::lesen(zeilen, abbild::Format::Dump, &bild, nullptr));
        t.write(bild.bytes(0, 100));
        t.close();
        l = cli(QStringList{"verify", "81", teil} + chip);
        QVERIFY2(l.status == 0, qPrintable(l.err));
        QVERIFY2(l.out.contains(QLatin1String("100 bytes match")) &&
                     l.out.contains(QLatin1String("not compared: 28 of the chip's 128 bytes")),
                 qPrintable(l.out));

        QCOMPARE(cli(QStringList{"write", "81", "127", "0x00"} + chip).status, 0);
        l = cli(QStringList{"verify", "81", txt} + chip);
        QCOMPARE(l.status, 3);
        QVERIFY2(l.out.contains(QLatin1String("address 127 (0x007F)")), qPrintable(l.out));
        l = cli(QStringList{"restore", "81", txt, "--yes"} + chip);
        QVERIFY2(l.status == 0, qPrintable(l.err + l.out));
        QCOMPARE(cli(QStringList{"verify", "81", txt} + chip).status, 0);

        // Without --chip the file is read for the 64 KiB chip, and the message says so.
        l = cli({"verify", "81", txt});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("--chip")), qPrintable(l.err));
        // The erase in the chip's 8-byte pages; a page the chip does not have is refused.
        l = cli(QStringList{"erase", "81", "--yes", "--page", "16"} + chip);
        QCOMPARE(l.status, 2);
        QVERIFY2(l.err.contains(QLatin1String("--page")), qPrintable(l.err));
        QCOMPARE(cli({"erase", "80", "--yes", "--page", "24"}).status, 2);
        // Without --chip the chip is the 64 KiB one, whose pages hold 128 bytes.
        // Refused before the question is asked.
        l = cli({"erase", "80", "--page", "256"});
        QCOMPARE(l.status, 2);
        QVERIFY2(l.err.contains(QLatin1String("128-byte page of a 24C512")), qPrintable(l.err));
        l = cli(QStringList{"erase", "81", "--yes", "--value", "7"} + chip);
        QVERIFY2(l.status == 0, qPrintable(l.err));
        QVERIFY2(l.out.contains(QLatin1String("128 bytes")), qPrintable(l.out));
        QCOMPARE(cli(QStringList{"read", "81", "120", "8"} + chip).out,
                 QStringLiteral("0078: 07 07 07 07 07 07 07 07\n"));
    }

    // The demo's two chips told by reading; a suggestion in JSON; nothing where none answers.
    void detectTheDemosChips() {
        Lauf l = cli({QStringLiteral("detect"), QStringLiteral("81")});
        QCOMPARE(l.status, 0);
        QVERIFY2(l.out.startsWith(QLatin1String("24C01 (128 bytes at this address, one address "
                                                "byte)")),
                 qPrintable(l.out));
        l = cli({QStringLiteral("detect"), QStringLiteral("80"), QStringLiteral("--json")});
        QCOMPARE(l.status, 0);
        const QJsonObject j = jsonVon(l);
        QCOMPARE(j.value(QStringLiteral("result")).toString(), QStringLiteral("recognised"));
        QCOMPARE(j.value(QStringLiteral("addressBytes")).toInt(), 2);
        QCOMPARE(j.value(QStringLiteral("sizeAtAddress")).toInt(), 65536);
        QCOMPARE(j.value(QStringLiteral("suggestions"))[0][QStringLiteral("name")].toString(),
                 QStringLiteral("24C512"));
        l = cli({QStringLiteral("detect"), QStringLiteral("99")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.out.contains(QLatin1String("no EEPROM answers at 99")), qPrintable(l.out));
    }

    // Failures of the line and the devices: exit status 1 and what went wrong, never success.
    void failuresAreReported() {
        QFile kaputt(datei(QStringLiteral("kaputt.hex")));
        QVERIFY(kaputt.open(QIODevice::WriteOnly));
        kaputt.write(":0400000\r\n");
        kaputt.close();
        for (const QString& f : {kaputt.fileName(), datei(QStringLiteral("fehlt.bin"))}) {
            const Lauf l = cli({QStringLiteral("verify"), QStringLiteral("80"), f});
            QCOMPARE(l.status, 1);
            QVERIFY2(l.err.startsWith(QStringLiteral("zelmar-cli: ") + f + QStringLiteral(": ")),
                     qPrintable(l.err));
        }

        simSteuern("protect 80");
        Lauf l = cli({QStringLiteral("write"), QStringLiteral("80"), QStringLiteral("7"),
                      QStringLiteral("1")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("address 7")), qPrintable(l.err));

        simSteuern("offline 81");
        l = cli({QStringLiteral("read"), QStringLiteral("81"), QStringLiteral("0"),
                 QStringLiteral("4"), QStringLiteral("--address-bytes"), QStringLiteral("1")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("EEPROM at 81 did not acknowledge")),
                 qPrintable(l.err));

        simSteuern("silent");
        for (const QStringList& args :
             {QStringList{"info", "44"}, QStringList{"diag"}, QStringList{"std", "8", "110"},
              QStringList{"read", "80", "0", "16"}, QStringList{"dump", "80", datei("s.bin")}}) {
            l = cli(QStringList{QStringLiteral("--timeout"), QStringLiteral("50")} + args);
            QCOMPARE(l.status, 1);
            // The link's own words, in the C locale's English.
            QVERIFY2(l.err.contains(QLatin1String("no DATA !!! (status 1000)")),
                     qPrintable(args.join(' ') + ": " + l.err));
        }
        QVERIFY(!QFileInfo::exists(datei("s.bin")));
    }

    void busLinesHeldLow() {
        cleanup();
        simStarten({QStringLiteral("--no-pace"), QStringLiteral("--sda-stuck")});
        const Lauf l = cli({QStringLiteral("--json"), QStringLiteral("diag")});
        QCOMPARE(l.status, 0);
        const QJsonObject pins = jsonVon(l).value(QStringLiteral("busLines")).toObject();
        QCOMPARE(pins.value(QStringLiteral("ok")).toBool(), false);
        QCOMPARE(pins.value(QStringLiteral("text")).toString(), QStringLiteral("SDA"));
    }

    void eraseWithAValue() {
        const Lauf l = cli({QStringLiteral("erase"), QStringLiteral("80"), QStringLiteral("--yes"),
                            QStringLiteral("--value"), QStringLiteral("0x5A")});
        QCOMPARE(l.status, 0);
        // Every byte alike: the chip cannot be told by reading and has to be named.
        const Lauf r = cli({QStringLiteral("read"), QStringLiteral("80"), QStringLiteral("0"),
                            QStringLiteral("2")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QLatin1String("cannot tell")), qPrintable(r.err));
        QCOMPARE(cli({"read", "80", "0", "2", "--chip", "24C512"}).out,
                 QStringLiteral("0000: 5A 5A\n"));
        QCOMPARE(cli({"read", "80", "65534", "2", "--chip", "24C512"}).out,
                 QStringLiteral("FFFE: 5A 5A\n"));
    }

    // SIGTERM (or Ctrl+C) in the middle of a dump at the line's real pace: the dump ends as
    // cancelled after its transaction, and neither the file nor a temporary one is left.
    void interruptedDump() {
        cleanup();
        simStarten({QStringLiteral("--pace")});
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("abbruch")));
        const QString ziel = datei(QStringLiteral("abbruch/e.txt"));
        QProcess p;
        p.start(QStringLiteral(ZELMAR_CLI_PATH),
                {QStringLiteral("--port"), m_device, QStringLiteral("dump"), QStringLiteral("80"),
                 ziel});
        QVERIFY(!p.waitForFinished(1000)); // a paced dump takes over a minute
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("dump cancelled"));
        QCOMPARE(QDir(datei(QStringLiteral("abbruch"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // One device under two names, the simulator's symlink and the device itself: the second
    // program is refused and told who holds the port. The holder killed in the middle of a
    // block leaves the interface sending; the commands after it wait until the line is quiet
    // and get their own replies.
    void onePortOneProgram() {
        cleanup();
        const QString link = datei(QStringLiteral("ttyZELMAR"));
        simStarten({QStringLiteral("--pace"), QStringLiteral("--link"), link});
        const QStringList lesen = {QStringLiteral("read"), QStringLiteral("80"),
                                   QStringLiteral("0x100"), QStringLiteral("16")};
        const Lauf vorher = cli(lesen);
        QCOMPARE(vorher.status, 0);

        QProcess dump;
        dump.start(QStringLiteral(ZELMAR_CLI_PATH),
                   {QStringLiteral("--port"), link, QStringLiteral("dump"), QStringLiteral("80"),
                    datei(QStringLiteral("d.bin"))});
        QVERIFY(!dump.waitForFinished(1500)); // a paced dump takes over a minute
        const Lauf zweiter = cli({QStringLiteral("scan")});
        QCOMPARE(zweiter.status, 1);
        QVERIFY2(
            zweiter.err.contains(
                QStringLiteral("port in use by process %1 (zelmar-cli)").arg(dump.processId())),
            qPrintable(zweiter.err));
        QVERIFY(zweiter.out.isEmpty());

        dump.kill();
        QVERIFY(dump.waitForFinished(5000));
        for (int i = 0; i < 3; ++i) {
            const Lauf l = cli(lesen);
            QVERIFY2(l.status == 0, qPrintable(l.err));
            QCOMPARE(l.out, vorher.out);
        }
        QVERIFY(!QFileInfo::exists(datei(QStringLiteral("d.bin"))));
    }

    // The simulator killed in the middle of a restore, as an adapter pulled out: the run ends
    // and says what of the image was not written.
    void restoreCutShort() {
        cleanup();
        simStarten({QStringLiteral("--pace")});
        EepromAbbild bild;
        for (int i = 0; i < 4096; ++i)
            bild.setzen(i, quint8(i * 3));
        const QString hex = datei(QStringLiteral("lang.hex"));
        QVERIFY(abbild::speichern(hex, bild, abbild::Format::IntelHex, QLocale::c()));
        QProcess p;
        p.start(QStringLiteral(ZELMAR_CLI_PATH),
                {QStringLiteral("--port"), m_device, QStringLiteral("--yes"),
                 QStringLiteral("restore"), QStringLiteral("80"), hex});
        QVERIFY(!p.waitForFinished(1500)); // 256 paced pages take several seconds
        m_sim.kill();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 1);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        static const QRegularExpression nicht(
            QStringLiteral("not written: 0x([0-9A-F]{4}) to 0x0FFF\n"));
        const auto m = nicht.match(err);
        QVERIFY2(m.hasMatch(), qPrintable(err));
        QVERIFY2(m.captured(1).toInt(nullptr, 16) > 0, qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("written, not verified: 0x0000 to ")),
                 qPrintable(err));
    }

    // A silent interface: the scan stops after a few probes that got no byte at all, sends no
    // STOP into the silence, and says that the interface does not answer.
    void scanOfASilentInterface() {
        simSteuern("silent");
        QFile logbuch(datei(QStringLiteral("DATEN/LOGBUCH_TWI.txt")));
        const qint64 vorher = logbuch.exists() ? fileLines(logbuch) : 0;
        for (const QString& befehl : {QStringLiteral("scan"), QStringLiteral("check")}) {
            const Lauf l = imProzess(m_dir.path(),
                                     {QStringLiteral("--port"), m_device,
                                      QStringLiteral("--timeout"), QStringLiteral("100"), befehl});
            QCOMPARE(l.status, 1);
            QVERIFY2(l.err.contains(QLatin1String("the interface does not answer")),
                     qPrintable(l.err));
            QVERIFY(l.out.isEmpty());
        }
        QCOMPARE(fileLines(logbuch) - vorher, 2 * 3);
    }

    // Ctrl+C at the question ends the run: exit status 1, nothing sent, nothing written later.
    void interruptAtTheQuestion() {
        EepromAbbild bild;
        for (int i = 0x200; i < 0x210; ++i)
            bild.setzen(i, quint8(0xA5));
        const QString hex = datei(QStringLiteral("frage.hex"));
        QVERIFY(abbild::speichern(hex, bild, abbild::Format::IntelHex, QLocale::c()));
        const QStringList lesen = {QStringLiteral("read"), QStringLiteral("80"),
                                   QStringLiteral("0x200"), QStringLiteral("16")};
        const Lauf vorher = cli(lesen);
        QCOMPARE(vorher.status, 0);

        int master = -1, terminal = -1;
        QVERIFY(::openpty(&master, &terminal, nullptr, nullptr, nullptr) == 0);
        QProcess p;
        p.setChildProcessModifier([terminal] { ::dup2(terminal, STDIN_FILENO); });
        p.start(QStringLiteral(ZELMAR_CLI_PATH),
                {QStringLiteral("--port"), m_device, QStringLiteral("restore"),
                 QStringLiteral("80"), hex});
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("[y/N]"), 10000);
        ::kill(pid_t(p.processId()), SIGINT);
        const bool geendet = p.waitForFinished(5000);
        [[maybe_unused]] const auto n = ::write(master, "y\n", 2); // too late to count
        if (!geendet)
            p.waitForFinished(5000);
        ::close(terminal);
        ::close(master);
        QVERIFY(geendet);
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        err += p.readAllStandardError();
        QVERIFY2(err.contains("nothing done"), err.constData());
        QCOMPARE(cli(lesen).out, vorher.out);
    }

    // What the messages say: how far a run got, and whether the line or the device failed.
    void messagesSayHowFarAndWhatFailed() {
        // Silent 2.5 s into a paced dump: the address the run had reached, a line failure.
        cleanup();
        simStarten({QStringLiteral("--pace")});
        QTimer::singleShot(2500, this, [this] { m_sim.write("silent\n"); });
        Lauf l = imProzess(m_dir.path(),
                           {QStringLiteral("--port"), m_device, QStringLiteral("--timeout"),
                            QStringLiteral("100"), QStringLiteral("dump"), QStringLiteral("80"),
                            datei(QStringLiteral("still.bin"))});
        QCOMPARE(l.status, 1);
        static const QRegularExpression adresse(QStringLiteral("address (\\d+)"));
        const auto m = adresse.match(l.err);
        QVERIFY2(m.hasMatch() && m.captured(1).toInt() >= 1000, qPrintable(l.err));
        QVERIFY2(l.err.contains(QLatin1String("the line failed")), qPrintable(l.err));
        QVERIFY(!l.err.contains(QLatin1String("acknowledge")));
        m_sim.readAll();
        simSteuern("silent off");

        // Write protection from 1 s into an erase: the 21st failed page ends it, and the
        // message says where; the status of the STOP after it is no part of it.
        QTimer::singleShot(1000, this, [this] { m_sim.write("protect 80\n"); });
        l = imProzess(m_dir.path(), {QStringLiteral("--port"), m_device, QStringLiteral("--yes"),
                                     QStringLiteral("erase"), QStringLiteral("80")});
        QCOMPARE(l.status, 1);
        static const QRegularExpression aufgegeben(QStringLiteral(
            "erase: given up at address (\\d+) \\(0x[0-9A-F]{4}\\) after 21 failed pages; "
            "(\\d+) of 65536 bytes set to 255\n"));
        const auto e = aufgegeben.match(l.err);
        QVERIFY2(e.hasMatch(), qPrintable(l.err));
        QVERIFY(e.captured(1).toInt() > 0);
        QCOMPARE(e.captured(2), e.captured(1));
        QVERIFY(!l.err.contains(QLatin1String("(ok)")));
    }

    // Lost status bytes are a failed line, never an EEPROM that did not acknowledge.
    void lostStatusBytesAreALineFault() {
        cleanup();
        simStarten(
            {QStringLiteral("--no-pace"), QStringLiteral("--drop-every"), QStringLiteral("5")});
        for (const QStringList& args :
             {QStringList{"read", "80", "0", "16"},
              QStringList{"dump", "80", datei(QStringLiteral("verloren.bin"))}}) {
            const Lauf l =
                cli(QStringList{QStringLiteral("--timeout"), QStringLiteral("50")} + args);
            QCOMPARE(l.status, 1);
            QVERIFY2(l.err.contains(QLatin1String("the line failed")),
                     qPrintable(args.join(' ') + ": " + l.err));
            QVERIFY2(!l.err.contains(QLatin1String("acknowledge")), qPrintable(l.err));
        }
    }

    // A dump onto something that is no regular file: refused before a frame is sent, with the
    // name and what stands there, and it stays what it was. The device node is made here with
    // the null device's numbers, never one of the system's own.
    void dumpOntoThingsThatAreNoFiles() {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("knoten")));
        const QString ordner = datei(QStringLiteral("knoten"));
        const auto versuchen = [&](const QByteArray& pfad, mode_t vorher, const QString& was) {
            const Lauf l =
                cli({QStringLiteral("dump"), QStringLiteral("80"), QFile::decodeName(pfad)});
            QCOMPARE(l.status, 1);
            QVERIFY2(l.err.contains(QFile::decodeName(pfad) +
                                    QStringLiteral(" could not be written: ") + was +
                                    QStringLiteral(", not a regular file")),
                     qPrintable(l.err));
            QVERIFY2(!l.out.contains(QLatin1String("bytes")), qPrintable(l.out));
            QCOMPARE(art(pfad), vorher);
            // No temporary file is left beside it.
            QCOMPARE(QDir(ordner).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                            QDir::NoDotAndDotDot),
                     QStringList{QFileInfo(QFile::decodeName(pfad)).fileName()});
            QVERIFY(QFile::remove(QFile::decodeName(pfad)));
        };
        const QByteArray fifo = QFile::encodeName(ordner + QStringLiteral("/fifo"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        versuchen(fifo, S_IFIFO, QStringLiteral("a FIFO"));
        if (::geteuid() != 0)
            QSKIP("making a device node needs root");
        const QByteArray node = QFile::encodeName(ordner + QStringLiteral("/null"));
        QCOMPARE(::mknod(node.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
        versuchen(node, S_IFCHR, QStringLiteral("a device"));
        // Through a symbolic link: the device behind it is named, the link stays a link.
        const QByteArray link = QFile::encodeName(ordner + QStringLiteral("/zu-null"));
        QCOMPARE(::mknod(node.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
        QCOMPARE(::symlink("null", link.constData()), 0);
        const Lauf l = cli({QStringLiteral("dump"), QStringLiteral("80"), QFile::decodeName(link)});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QStringLiteral("a device, not a regular file (the link leads to ") +
                                QFile::decodeName(node) + QLatin1Char(')')),
                 qPrintable(l.err));
        QCOMPARE(art(link), mode_t(S_IFLNK));
        QCOMPARE(art(node), mode_t(S_IFCHR));
    }

    // Why a file could not be read or written, in the system's words where it has them.
    void fileFaultsSayWhy() {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("ordner.txt")));
        const Lauf fehlt =
            cli({QStringLiteral("verify"), QStringLiteral("80"), datei("fehlt.bin")});
        QCOMPARE(fehlt.status, 1);
        QVERIFY2(fehlt.err.contains(QLatin1String("fehlt.bin: no such file")),
                 qPrintable(fehlt.err));
        const Lauf ordner =
            cli({QStringLiteral("verify"), QStringLiteral("80"), datei("ordner.txt")});
        QCOMPARE(ordner.status, 1);
        QVERIFY2(ordner.err.contains(QLatin1String("ordner.txt: a directory, not a regular file")),
                 qPrintable(ordner.err));

        const QString ohne = datei(QStringLiteral("nirgends/e.txt"));
        Lauf l = cli({QStringLiteral("dump"), QStringLiteral("80"), ohne});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(ohne + QStringLiteral(" could not be written: the directory ") +
                                datei(QStringLiteral("nirgends")) +
                                QStringLiteral(" does not exist")),
                 qPrintable(l.err));
        l = cli({QStringLiteral("dump"), QStringLiteral("80"), datei("ordner.txt")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("ordner.txt could not be written: a directory, not a "
                                              "regular file")),
                 qPrintable(l.err));

        // A full disk: a file size limit on this process, writes beyond it fail.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit alt{};
        getrlimit(RLIMIT_FSIZE, &alt);
        rlimit neu = alt;
        neu.rlim_cur = 256 * 1024;
        setrlimit(RLIMIT_FSIZE, &neu);
        l = imProzess(m_dir.path(), {QStringLiteral("--port"), m_device, QStringLiteral("dump"),
                                     QStringLiteral("80"), datei(QStringLiteral("voll.txt"))});
        setrlimit(RLIMIT_FSIZE, &alt);
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QStringLiteral("voll.txt could not be written: ") +
                                QString::fromLocal8Bit(strerror(EFBIG))),
                 qPrintable(l.err));
        QVERIFY(!QFileInfo::exists(datei(QStringLiteral("voll.txt"))));
    }

    // A name with Latin-1 bytes (no UTF-8) is found, and a dump is written, under exactly
    // those bytes, whatever the locale's encoding makes of them.
    void namesAsTheFileSystemSpellsThem() {
        const QByteArray bytes = "Latin-1 im Namen";
        QVERIFY(putFile(QFile::encodeName(m_dir.path()) + "/K\xfc"
                                                          "che.bin",
                        bytes));
        QCOMPARE(shell("\"$ZC\" --port \"$DEV\" --yes restore 80 \"$D/$(printf 'K\\374che.bin')\"")
                     .status,
                 0);
        const Lauf l =
            shell("LC_ALL=C.UTF-8 \"$ZC\" --port \"$DEV\" dump 80 \"$D/$(printf '\\344.txt')\"");
        QCOMPARE(l.status, 0);
        QVERIFY2(art(QFile::encodeName(m_dir.path()) + "/\xe4.txt") == S_IFREG,
                 qPrintable(QDir(m_dir.path()).entryList().join(' ') + l.err));
        EepromAbbild bild;
        QVERIFY(abbild::lesen(fileBytes(QFile::encodeName(m_dir.path()) + "/\xe4.txt"),
                              abbild::Format::Dump, &bild, nullptr));
        QCOMPARE(bild.bytes(0, bytes.size()), bytes);
    }

    // A dump text with a line left out is refused with its line; a HEX file with gaps is
    // written, says before how many addresses it leaves alone, and lists them after.
    void restoreLeavesNoAddressUnsaid() {
        const QString txt = datei(QStringLiteral("e.txt"));
        QCOMPARE(cli({QStringLiteral("dump"), QStringLiteral("80"), txt}).status, 0);
        QList<QByteArray> zeilen = fileBytes(txt).split('\n');
        QVERIFY(zeilen.at(100).contains("100===>"));
        zeilen.removeAt(100);
        QVERIFY(putFile(txt, zeilen.join('\n')));
        Lauf l =
            cli({QStringLiteral("restore"), QStringLiteral("80"), txt, QStringLiteral("--yes")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("Line 101: address 100 is missing")),
                 qPrintable(l.err));
        // The file reader it shares with the windows speaks the language chosen, like the rest.
        l = cli({QStringLiteral("--language"), QStringLiteral("de"), QStringLiteral("restore"),
                 QStringLiteral("80"), txt, QStringLiteral("--yes")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("Zeile 101: Adresse 100 fehlt")), qPrintable(l.err));
        l = cli({QStringLiteral("--language=fr"), QStringLiteral("scan")});
        QCOMPARE(l.status, 2);
        QVERIFY2(l.err.contains(QLatin1String("--language")), qPrintable(l.err));

        EepromAbbild bild;
        for (int a : {0x10, 0x11, 0x12, 0x200, 0xFFFF})
            bild.setzen(a, quint8(a));
        const QString hex = datei(QStringLiteral("luecken.hex"));
        QVERIFY(abbild::speichern(hex, bild, abbild::Format::IntelHex, QLocale::c()));
        QStringList nein = {QStringLiteral("n")};
        l = imProzess(m_dir.path(),
                      {QStringLiteral("--port"), m_device, QStringLiteral("restore"),
                       QStringLiteral("80"), hex},
                      &nein);
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("65531 addresses the file does not give stay as "
                                              "they are")),
                 qPrintable(l.err));
        QVERIFY(l.err.indexOf(QLatin1String("65531")) < l.err.indexOf(QLatin1String("[y/N]")));
        l = cli({QStringLiteral("restore"), QStringLiteral("80"), hex, QStringLiteral("--yes")});
        QCOMPARE(l.status, 0);
        QVERIFY2(l.out.contains(QLatin1String("left as they were (65531 bytes):\n"
                                              "0x0000 to 0x000F\n0x0013 to 0x01FF\n"
                                              "0x0201 to 0xFFFE\n")),
                 qPrintable(l.out));
    }

    // Settings that cannot be used: one warning each, naming the file, the value and what is
    // used instead; the files stay as they were.
    void unusableSettingsAreSaid() {
        const QByteArray programm = " 17 \r\n 0 \r\n";
        const QByteArray settings = "n,8,1\r\n";
        QVERIFY(putFile(datei(QStringLiteral("PROGRAMM.ini")), programm));
        QVERIFY(putFile(datei(QStringLiteral("settings.ini")), settings));
        QFile::remove(datei(QStringLiteral("PORTS.ini")));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("PORTS.ini")));
        // PORTS.ini cannot be read: the command stops at its file before it opens the port the
        // default names.
        const QStringList verify = {QStringLiteral("verify"), QStringLiteral("80"),
                                    datei(QStringLiteral("fehlt.bin"))};
        const auto warnungen = [&](const QStringList& args) {
            const Lauf l = imProzess(m_dir.path(), args);
            [&] { QCOMPARE(l.status, 1); }();
            return l.err.split(QLatin1Char('\n')).filter(QStringLiteral("warning: "));
        };
        const auto hat = [&](const QStringList& w, const QString& datei, const QString& wert,
                             const QString& statt) {
            for (const QString& z : w)
                if (z.contains(m_dir.filePath(datei)) && z.contains(wert) && z.contains(statt))
                    return true;
            return false;
        };
        QStringList w = warnungen(verify);
        QCOMPARE(w.size(), 4);
        QVERIFY2(hat(w, "PROGRAMM.ini", "'17'", "port 1 is used"), qPrintable(w.join('\n')));
        QVERIFY2(hat(w, "PROGRAMM.ini", "'0'", "1100 ms are used"), qPrintable(w.join('\n')));
        QVERIFY2(hat(w, "settings.ini", "'n,8,1'", "19200,n,8,1 is used"),
                 qPrintable(w.join('\n')));
        QVERIFY2(hat(w, "PORTS.ini", "a directory", "port 1 is /dev/ttyS0"),
                 qPrintable(w.join('\n')));
        // What the options replace is not used, and not warned of.
        w = warnungen(QStringList{"--port", "3", "--timeout", "500"} + verify);
        QCOMPARE(w.size(), 2);
        QVERIFY2(hat(w, "PORTS.ini", "a directory", "port 3 is /dev/ttyS2"),
                 qPrintable(w.join('\n')));
        QCOMPARE(fileBytes(datei(QStringLiteral("PROGRAMM.ini"))), programm);
        QCOMPARE(fileBytes(datei(QStringLiteral("settings.ini"))), settings);

        // Usable settings say nothing.
        QVERIFY(putFile(datei(QStringLiteral("PROGRAMM.ini")), " 3 \r\n 900 \r\n"));
        QVERIFY(putFile(datei(QStringLiteral("settings.ini")), "19200,n,8,1\r\n"));
        QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("PORTS.ini")));
        QVERIFY(
            putFile(datei(QStringLiteral("PORTS.ini")), "\r\n\r\n" + m_device.toUtf8() + "\r\n"));
        const Lauf gut = imProzess(m_dir.path(), {QStringLiteral("info"), QStringLiteral("44")});
        QCOMPARE(gut.status, 0);
        QVERIFY2(gut.err.isEmpty(), qPrintable(gut.err));
    }

    // Decimal (leading zeros are no octal) or 0x hexadecimal, whole and within the range.
    void numbers() {
        const QList<std::pair<QString, int>> faelle = {
            {"17", 17},   {"0x11", 17}, {"0X1f", 31}, {"010", 10},  {" 7 ", 7},
            {"255", 255}, {"256", -1},  {"-1", -1},   {"+5", -1},   {"0x", -1},
            {"1.5", -1},  {"", -1},     {"x11", -1},  {"0x100", -1}};
        for (const auto& [text, wert] : faelle) {
            const auto n = cli::zahl(text, 0, 255);
            QVERIFY2(n.has_value() == (wert >= 0), qPrintable(text));
            if (n)
                QCOMPARE(*n, wert);
        }
    }

    // watch: a line per whole pass with the display's values and the same row in the day's
    // log; a slave taken off line is missing in both, never a 0.
    void watchPrintsThePassesAndLogsThem() {
        cleanup();
        const QString szenario = datei(QStringLiteral("konstant.json"));
        QVERIFY(putFile(szenario, konstanteWohnung()));
        simStarten({QStringLiteral("--no-pace"), QStringLiteral("--scenario"), szenario});
        const QStringList watch = {QStringLiteral("--port"), m_device, QStringLiteral("--timeout"),
                                   QStringLiteral("300"), QStringLiteral("watch")};
        const QStringList json = {QStringLiteral("--json")};

        Lauf l = imProzess(m_dir.path(), json + watch + QStringList{"--count", "2"});
        QCOMPARE(l.status, 0);
        QList<QJsonObject> z = jsonZeilen(l.out.toUtf8());
        QCOMPARE(z.size(), 2);
        const QDateTime um =
            QDateTime::fromString(z[1][QStringLiteral("at")].toString(), Qt::ISODate);
        const QString log = verlaufDatei(m_dir.path(), um.date());
        QVector<verlauf::Zeile> zeilen = verlauf::lesen(log);
        QCOMPARE(zeilen.size(), 2);
        const QRegularExpression uhr(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
        for (int i = 0; i < 2; ++i) {
            const QJsonObject& j = z[i];
            QCOMPARE(j[QStringLiteral("pass")].toInt(), i + 1);
            const QJsonArray raeume = j[QStringLiteral("rooms")].toArray();
            QCOMPARE(raeume.size(), 3);
            QCOMPARE(raeume[2][QStringLiteral("room")].toString(), QStringLiteral("KÜCHE"));
            QCOMPARE(raeume[2][QStringLiteral("address")].toInt(), 60);
            std::array<std::optional<double>, verlauf::WERTE> werte;
            for (int r = 0; r < 3; ++r) {
                werte[r] = raeume[r][QStringLiteral("temperature")].toDouble();
                werte[4 + r] = raeume[r][QStringLiteral("heating")].toDouble();
            }
            werte[3] = j[QStringLiteral("outside")].toDouble();
            werte[7] = j[QStringLiteral("pressure")].toDouble();
            werte[8] = j[QStringLiteral("sun")].toDouble();
            QCOMPARE(werte, kWohnung);
            QCOMPARE(zeilen[i].werte, kWohnung);
            QCOMPARE(zeilen[i].zeit,
                     QDateTime::fromString(j[QStringLiteral("at")].toString(), Qt::ISODate).time());
            QVERIFY(uhr.match(j[QStringLiteral("time")].toString()).hasMatch());
            QVERIFY(j[QStringLiteral("sunrise")].toString().contains(QLatin1Char(':')));
            const QJsonArray slaves = j[QStringLiteral("slaves")].toArray();
            QCOMPARE(slaves.size(), 8);
            for (const auto& s : slaves) {
                QVERIFY(s[QStringLiteral("present")].toBool());
                QVERIFY(uhr.match(s[QStringLiteral("clock")].toString()).hasMatch());
            }
        }

        simSteuern("offline 20");
        l = imProzess(m_dir.path(), watch + QStringList{"--count", "1"});
        QCOMPARE(l.status, 0);
        QCOMPARE(l.out.count(QLatin1Char('\n')), 1);
        for (const char* teil :
             {"  WZ --- heating ---  ", "  AZ 19.8 °C heating 35 °C  ", "  outside -3.5 °C  ",
              "  pressure 1013 mbar  ", "  absent 20  ", "  present 8 40 44 45 60 65 66  "})
            QVERIFY2(l.out.contains(QString::fromUtf8(teil)), qPrintable(l.out));
        l = imProzess(m_dir.path(), json + watch + QStringList{"--count", "1"});
        QCOMPARE(l.status, 0);
        z = jsonZeilen(l.out.toUtf8());
        QCOMPARE(z.size(), 1);
        const QJsonValue wz = z[0][QStringLiteral("rooms")][0];
        QVERIFY(wz[QStringLiteral("temperature")].isNull() &&
                wz[QStringLiteral("heating")].isNull());
        QCOMPARE(z[0][QStringLiteral("rooms")][1][QStringLiteral("temperature")].toDouble(), 19.8);
        const QJsonValue s20 = z[0][QStringLiteral("slaves")][1];
        QCOMPARE(s20[QStringLiteral("address")].toInt(), 20);
        QCOMPARE(s20[QStringLiteral("present")].toBool(true), false);
        QVERIFY(s20[QStringLiteral("clock")].isNull());
        zeilen = verlauf::lesen(log);
        QCOMPARE(zeilen.size(), 4);
        for (int k : {0, 4})
            QVERIFY(!zeilen[3].werte[k]);
        QCOMPARE(zeilen[3].werte[1], 19.8);
    }

    // Ctrl+C ends watch after the transaction under way: whole lines only, one row for each,
    // exit status 1.
    void watchUntilCtrlC() {
        const QString programmPfad =
            datalocation::programmPfad(QFileInfo(QStringLiteral(ZELMAR_CLI_PATH)).absolutePath());
        const QString log = verlaufDatei(programmPfad, QDate::currentDate());
        const int vorher = verlauf::lesen(log).size();
        QProcess p;
        p.start(QStringLiteral(ZELMAR_CLI_PATH),
                {QStringLiteral("--port"), m_device, QStringLiteral("--json"),
                 QStringLiteral("watch")});
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).count('\n') >= 2, 20000);
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        out += p.readAllStandardOutput();
        QVERIFY(out.endsWith('\n'));
        const QList<QJsonObject> z = jsonZeilen(out);
        for (int i = 0; i < z.size(); ++i)
            QCOMPARE(z[i][QStringLiteral("pass")].toInt(), i + 1);
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(err.contains(
                     QStringLiteral("watch interrupted after %1 passes").arg(z.size()).toUtf8()),
                 err.constData());
        if (QDate::currentDate() ==
            QDateTime::fromString(z.last()[QStringLiteral("at")].toString(), Qt::ISODate).date())
            QCOMPARE(verlauf::lesen(log).size() - vorher, z.size());
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("no command") << QStringList{} << "no command";
        QTest::newRow("unknown command") << QStringList{"scna"} << "unknown command 'scna'";
        QTest::newRow("unknown option") << QStringList{"--bogus", "scan"} << "bogus";
        QTest::newRow("missing argument") << QStringList{"read", "80", "0"} << "missing";
        QTest::newRow("too many") << QStringList{"info", "44", "45"} << "too many";
        QTest::newRow("address range") << QStringList{"info", "128"} << "ADDR";
        QTest::newRow("not a number") << QStringList{"std", "44", "zehn"} << "'zehn'";
        QTest::newRow("json elsewhere") << QStringList{"--json", "erase", "80"} << "--json";
        QTest::newRow("bad settings")
            << QStringList{"--settings", "19200,x,8,1", "scan"} << "19200,x,8,1";
        QTest::newRow("bad format") << QStringList{"--format", "png", "verify", "80", "x"} << "png";
        QTest::newRow("beyond the EEPROM")
            << QStringList{"write", "80", "65535", "1", "2"} << "do not fit";
        QTest::newRow("small EEPROM")
            << QStringList{"read", "81", "250", "7", "--address-bytes", "1"}
            << "do not fit into the 24C01 (128 bytes)";
        QTest::newRow("bad value") << QStringList{"erase", "80", "--value", "256"} << "--value";
        QTest::newRow("port 0") << QStringList{"--port", "0", "scan"} << "--port";
        QTest::newRow("port 18") << QStringList{"--port", "18", "scan"} << "--port";
        QTest::newRow("negative address") << QStringList{"info", "-1"} << "ADDR must be";
        QTest::newRow("no passes") << QStringList{"watch", "--count", "0"} << "--count";
        QTest::newRow("count elsewhere") << QStringList{"scan", "--count", "2"} << "--count";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, meldung);
        const Lauf l = cli(args);
        QCOMPARE(l.status, 2);
        QVERIFY2(l.err.contains(meldung), qPrintable(l.err));
        QVERIFY(l.out.isEmpty());
    }

    // The language the window program would choose, English under the C locale; the option
    // decides over both. Usage, messages and help change; exit codes do not.
    void languageOfTheMessages_data() {
        using Env = Sprachumgebung;
        QTest::addColumn<Env>("env");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("deutsch");
        const QString lang = QStringLiteral("LANG");
        const QString language = QStringLiteral("LANGUAGE");
        QTest::newRow("C") << Env{{lang, "C"}} << QStringList{} << false;
        QTest::newRow("nothing set") << Env{} << QStringList{} << false;
        QTest::newRow("German desktop") << Env{{lang, "de_DE.UTF-8"}} << QStringList{} << true;
        QTest::newRow("English desktop") << Env{{lang, "en_GB.UTF-8"}} << QStringList{} << false;
        QTest::newRow("German, English preferred")
            << Env{{lang, "de_DE.UTF-8"}, {language, "en:de"}} << QStringList{} << false;
        QTest::newRow("French, then German")
            << Env{{lang, "fr_FR.UTF-8"}, {language, "fr:de"}} << QStringList{} << true;
        QTest::newRow("C, --language de")
            << Env{{lang, "C"}} << QStringList{"--language", "de"} << true;
        QTest::newRow("German, --language=en")
            << Env{{lang, "de_DE.UTF-8"}} << QStringList{"--language=en"} << false;
    }
    void languageOfTheMessages() {
        QFETCH(Sprachumgebung, env);
        QFETCH(QStringList, args);
        QFETCH(bool, deutsch);
        Lauf l = cli(args + QStringList{QStringLiteral("frobnicate")}, env);
        QCOMPARE(l.status, 2);
        QVERIFY2(l.err.contains(deutsch ? QLatin1String("unbekannter Befehl 'frobnicate'")
                                        : QLatin1String("unknown command 'frobnicate'")),
                 qPrintable(l.err));
        l = cli(args + QStringList{QStringLiteral("--help")}, env);
        QCOMPARE(l.status, 0);
        QVERIFY2(l.out.startsWith(deutsch ? QLatin1String("Aufruf: zelmar-cli [OPTIONEN]")
                                          : QLatin1String("Usage: zelmar-cli [OPTIONS]")),
                 qPrintable(l.out));
        // A reader the windows share: the text of a broken Intel HEX file.
        const QString hex = datei(QStringLiteral("sprache.hex"));
        QVERIFY(putFile(hex, ":00000006FA\n:00000001FF\n"));
        l = cli(args + QStringList{QStringLiteral("verify"), QStringLiteral("80"), hex}, env);
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(deutsch ? QLatin1String("Zeile 1: Satzart 06 gibt es nicht")
                                        : QLatin1String("Line 1: record type 06 does not exist")),
                 qPrintable(l.err));
    }

    void portThatDoesNotExist() {
        m_device = QStringLiteral("/dev/zelmar-no-such-port");
        const Lauf l = cli({QStringLiteral("scan")});
        QCOMPARE(l.status, 1);
        QVERIFY2(l.err.contains(QLatin1String("cannot open the serial port "
                                              "/dev/zelmar-no-such-port")),
                 qPrintable(l.err));
        QVERIFY(QRegularExpression(QStringLiteral("^zelmar-cli \\d+\\.\\d+\\n$"))
                    .match(cli({QStringLiteral("--version")}).out)
                    .hasMatch());
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
