// One program of ours on a serial device: the lock belongs to the device, whatever name it was
// opened by, says who holds it, and the terminal is opened exclusively.

#include "link/hardwareserialport.h"
#include "link/link.h"
#include "link/portlock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelmar;

namespace {

struct Meldungen : LinkNotifier {
    QStringList texte;
    void linkMessage(const QString& text) override { texte << text; }
    void linkBeep() override {}
};

} // namespace

class TestPortLock : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_master = -1;
    int m_terminal = -1; // the test's own descriptor of the device
    QString m_device;
    QString m_link;

    int exklusiv() const {
        int an = -1;
        return ::ioctl(m_terminal, TIOCGEXCL, &an) == 0 ? an : -1;
    }

private slots:
    void init() {
        char name[256] = {};
        QVERIFY(::openpty(&m_master, &m_terminal, name, nullptr, nullptr) == 0);
        m_device = QString::fromLocal8Bit(name);
        m_link = m_dir.filePath(QStringLiteral("ttyZELMAR"));
        QFile::remove(m_link);
        QVERIFY(QFile::link(m_device, m_link));
        QFile ports(m_dir.filePath(QStringLiteral("PORTS.ini")));
        QVERIFY(ports.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ports.write(m_device.toLocal8Bit() + "\r\n" + m_link.toLocal8Bit() + "\r\n");
    }
    void cleanup() {
        ::close(m_terminal);
        ::close(m_master);
    }

    // Port 1 is the device, port 2 its symlink: while one is open the other is refused, knows
    // who holds it, and the engine says so; the device is exclusive exactly while it is open.
    void oneDeviceUnderTwoNames() {
        HardwareSerialPort ueberLink(m_dir.path());
        HardwareSerialPort direkt(m_dir.path());
        QVERIFY(ueberLink.setPortNumber(2));
        QVERIFY(ueberLink.open());
        QCOMPARE(exklusiv(), 1);

        QVERIFY(!direkt.open());
        QVERIFY(direkt.heldBy().has_value());
        QCOMPARE(direkt.heldBy()->pid, QCoreApplication::applicationPid());
        QCOMPARE(direkt.heldBy()->program, QCoreApplication::applicationName());

        Link link(direkt);
        Meldungen m;
        link.setNotifier(&m);
        link.RAHMEN_SENDEN({befehl::DUMMY, 127});
        link.DATEN_EMPFANGEN(1);
        QCOMPARE(link.STATUS_CODE, qint16(STATUS_PORT_ZU));
        QCOMPARE(m.texte, QStringList{QStringLiteral("COM-PORT konnte nicht geöffnet werden\r\n"
                                                     "belegt von Prozess %1 (%2)\r\n"
                                                     "Aktion wird abgebrochen !!!")
                                          .arg(QCoreApplication::applicationPid())
                                          .arg(QCoreApplication::applicationName())});

        ueberLink.close();
        QCOMPARE(exklusiv(), 0);
        QVERIFY(direkt.open());
        QVERIFY(!direkt.heldBy());
        QVERIFY(!ueberLink.open());
        QCOMPARE(ueberLink.heldBy()->pid, QCoreApplication::applicationPid());
        direkt.close();
        QVERIFY(ueberLink.open());
    }

    // The key is the device number: a second node of the same device (made here, as root)
    // shares the lock, and the lock file goes with its holder.
    void theDeviceNumberIsTheKey() {
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(m_device).constData(), &st) == 0);
        const QString knoten = m_dir.filePath(QStringLiteral("knoten"));
        QFile::remove(knoten);
        const bool gemacht =
            ::mknod(QFile::encodeName(knoten).constData(), S_IFCHR | 0600, st.st_rdev) == 0;
        const QString name = PortLock::fileName(m_device);
        QVERIFY(name.startsWith(QLatin1String("zelmar-tty-")));
        QCOMPARE(PortLock::fileName(m_link), name);
        QVERIFY(PortLock::fileName(m_dir.filePath(QStringLiteral("fehlt"))).isEmpty());

        QTemporaryDir sperren;
        PortLock a(sperren.path());
        PortLock b(sperren.path());
        QVERIFY(a.lock(gemacht ? knoten : m_link));
        QVERIFY(!b.lock(m_device));
        QCOMPARE(b.holder()->pid, QCoreApplication::applicationPid());
        QVERIFY(QFileInfo::exists(sperren.filePath(name)));
        a.unlock();
        QVERIFY(!QFileInfo::exists(sperren.filePath(name)));
        QVERIFY(b.lock(m_link));
        QVERIFY(!b.holder());
        if (!gemacht)
            QSKIP("mknod needs root: the second node of the device was not made");
        QCOMPARE(PortLock::fileName(knoten), name);
        QVERIFY(!a.lock(knoten));
    }
};

QTEST_GUILESS_MAIN(TestPortLock)
#include "tst_portlock.moc"
