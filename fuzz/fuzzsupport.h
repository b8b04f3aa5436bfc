#pragma once

// What the fuzz targets share: a reader over the fuzzer's bytes, a scratch directory for the
// file readers, and a check that stops the run with a message (libFuzzer keeps the input).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Takes the fuzzer's bytes from the front: small numbers and chunks whose lengths the fuzzer
// chooses, so it can split a stream where it likes.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : m_p(data), m_end(data + size) {}
    bool empty() const { return m_p == m_end; }
    size_t left() const { return size_t(m_end - m_p); }
    uint8_t byte() { return empty() ? 0 : *m_p++; }
    // A chunk of 0..max bytes, its length taken from one byte.
    QByteArray chunk(int max = 255) {
        const size_t n = std::min<size_t>(byte() % (max + 1), left());
        QByteArray c(reinterpret_cast<const char*>(m_p), int(n));
        m_p += n;
        return c;
    }
    QByteArray rest() {
        QByteArray c(reinterpret_cast<const char*>(m_p), int(left()));
        m_p = m_end;
        return c;
    }

private:
    const uint8_t* m_p;
    const uint8_t* m_end;
};

// A directory for the files the readers read, on a RAM disk where there is one.
inline const QString& scratch() {
    static const QString shm = QStringLiteral("/dev/shm");
    static const QTemporaryDir dir(QDir(shm).exists() && QFileInfo(shm).isWritable()
                                       ? shm + QStringLiteral("/zelmar-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/zelmar-fuzz-XXXXXX"));
    if (!dir.isValid())
        std::abort();
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

// A property that must hold for every input.
inline void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace fuzz
