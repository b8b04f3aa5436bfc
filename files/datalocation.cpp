#include "datalocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zelmar::datalocation {

QString userDataDir() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("zelmar"));
}

bool isPortable(const QString& programDir) {
    const QString dir = QDir::cleanPath(QDir(programDir).absolutePath());
    if (dir == QLatin1String("/usr") || dir.startsWith(QLatin1String("/usr/")))
        return false;
    const QFileInfo info(dir);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & anyWrite);
}

QString programmPfad(const QString& programDir, const QString& userDir) {
    if (isPortable(programDir) || userDir.isEmpty())
        return programDir;
    return userDir;
}

QString programmPfad(const QString& programDir) {
    return programmPfad(programDir, userDataDir());
}

} // namespace zelmar::datalocation
