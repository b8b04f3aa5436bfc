#include "portlock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zelmar {

namespace {

QString programName() {
    if (QCoreApplication::instance() && !QCoreApplication::applicationName().isEmpty())
        return QCoreApplication::applicationName();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', -1);
}

// "1234 zelmar-cli", as the holder wrote it; pid 0 while it is still being written.
PortHolder readHolder(int fd) {
    char buf[512] = {};
    const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
    const QString first = QString::fromUtf8(buf, n > 0 ? int(n) : 0).section('\n', 0, 0);
    PortHolder h;
    bool ok = false;
    h.pid = first.section(' ', 0, 0).toLongLong(&ok);
    if (!ok || h.pid <= 0)
        return {};
    h.program = first.section(' ', 1).trimmed();
    return h;
}

} // namespace

PortLock::PortLock(QString directory) : m_directory(std::move(directory)) {}

PortLock::~PortLock() {
    unlock();
}

QString PortLock::defaultDirectory() {
    const QString run = QStringLiteral("/run/lock");
    if (::access(run.toLocal8Bit().constData(), W_OK | X_OK) == 0)
        return run;
    return QDir::tempPath();
}

QString PortLock::fileName(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (S_ISCHR(st.st_mode))
        return QStringLiteral("zelmar-tty-%1-%2.lock")
            .arg(major(st.st_rdev))
            .arg(minor(st.st_rdev));
    return QStringLiteral("zelmar-file-%1-%2.lock").arg(st.st_dev).arg(st.st_ino);
}

bool PortLock::lock(const QString& path) {
    unlock();
    m_holder.reset();
    const QString name = fileName(path);
    if (name.isEmpty())
        return true;
    const QByteArray file = QFile::encodeName(QDir(m_directory).filePath(name));
    // A holder ending between our open and our flock unlinks the file we opened: the lock is
    // only ours when the name still leads to the file we locked.
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Opened without O_CREAT first: another user's file in a sticky directory may not be
        // opened with it.
        int fd = ::open(file.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(file.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd >= 0)
                ::fchmod(fd, 0666); // every user's programs take the same lock
            else if (errno == EEXIST)
                continue;
        }
        if (fd < 0)
            return true;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            if (held)
                m_holder = readHolder(fd);
            ::close(fd);
            return !held;
        }
        struct stat ours {};
        struct stat named {};
        if (::fstat(fd, &ours) != 0 || ::stat(file.constData(), &named) != 0 ||
            ours.st_ino != named.st_ino || ours.st_dev != named.st_dev) {
            ::close(fd);
            continue;
        }
        const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
                                programName().toUtf8() + '\n' +
                                QFile::encodeName(QFileInfo(path).canonicalFilePath()) + '\n';
        // Should the name not be written, the device is locked all the same.
        [[maybe_unused]] const bool benannt =
            ::ftruncate(fd, 0) == 0 && ::pwrite(fd, text.constData(), text.size(), 0) > 0;
        m_fd = fd;
        m_file = QString::fromLocal8Bit(file);
        return true;
    }
    return true;
}

void PortLock::unlock() {
    if (m_fd < 0)
        return;
    // Removed while still locked, so nobody takes a lock on a file that is going.
    ::unlink(QFile::encodeName(m_file).constData());
    ::close(m_fd);
    m_fd = -1;
    m_file.clear();
}

} // namespace zelmar
