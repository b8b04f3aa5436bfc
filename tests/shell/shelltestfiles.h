#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A fresh program directory per test, with the trailing slash the program uses.
struct ProgramDir {
    QTemporaryDir tmp;
    QString pfad() const { return tmp.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return pfad() + name; }
};

inline bool putFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
