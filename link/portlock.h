#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace zelmar {

// The program of ours that holds a serial device.
struct PortHolder {
    qint64 pid = 0; // 0: not known (it was just taking the lock)
    QString program;
};

// One program of ours on a serial device at a time, whatever name each opened it by: a symlink,
// the device path or a second node of the same device all come to one lock. The lock is an
// flock() on a file named after the device number (st_rdev of a device node, file system and
// inode of anything else) in a directory every user shares. The kernel lets it go when its
// holder ends, killed or not, so a lock never outlives its process; the file names the holder.
class PortLock {
public:
    explicit PortLock(QString directory = defaultDirectory());
    ~PortLock();
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;

    // Takes the lock of the device `path` names. False only when another holds it (holder()
    // says who); a path that names nothing, or a lock directory that cannot be used, leaves the
    // decision to the open itself.
    bool lock(const QString& path);
    void unlock();
    bool locked() const { return m_fd >= 0; }
    // Who held the device when lock() last failed.
    const std::optional<PortHolder>& holder() const { return m_holder; }

    // The lock file for a device: "zelmar-tty-<major>-<minor>.lock" for a device node; empty
    // when the path names nothing.
    static QString fileName(const QString& path);
    // /run/lock where this user may write there, else the temporary directory.
    static QString defaultDirectory();

private:
    QString m_directory;
    int m_fd = -1;
    QString m_file;
    std::optional<PortHolder> m_holder;
};

} // namespace zelmar
