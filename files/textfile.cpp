#include "textfile.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>

#include <algorithm>

namespace zelmar::textfile {

namespace {

bool decodeUtf8(const QByteArray& bytes, QString& out) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    out = decoder(bytes);
    return !decoder.hasError();
}

QString decodeLine(QByteArray bytes, bool cut) {
    QString text;
    if (decodeUtf8(bytes, text))
        return text;
    // A cut line may end inside a multi-byte character.
    for (int drop = 1; cut && drop <= 3 && drop < bytes.size(); ++drop) {
        if (decodeUtf8(bytes.left(bytes.size() - drop), text))
            return text;
    }
    return QString::fromLatin1(bytes);
}

// The lines' bytes, each cut to `maxZeile` bytes (no cut when 0); `cuts` says which were.
QList<QByteArray> rawLines(const QString& path, int maxLines, qint64 maxZeile,
                           QList<bool>* cuts = nullptr) {
    QList<QByteArray> lines;
    QFile file;
    if (maxLines <= 0 || !datei::oeffnen(file, path, QIODevice::ReadOnly))
        return lines;

    QByteArray current;
    bool started = false; // the current line has at least one byte
    bool cut = false;
    bool afterCr = false; // a LF right after a CR belongs to the same line end
    auto add = [&] {
        lines << current;
        if (cuts)
            *cuts << cut;
    };
    qint64 total = 0;
    char chunk[64 * 1024];
    while (lines.size() < maxLines && total < MAX_LESEN) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n <= 0)
            break;
        total += n;
        const char* p = chunk;
        const char* const end = chunk + n;
        while (p < end && lines.size() < maxLines) {
            if (afterCr) {
                afterCr = false;
                if (*p == '\n') {
                    ++p;
                    continue;
                }
            }
            const char* eol = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
            const qint64 length = eol - p;
            const qint64 take =
                maxZeile > 0 ? std::min<qint64>(length, maxZeile - current.size()) : length;
            current.append(p, take);
            cut = cut || take < length;
            started = started || length > 0;
            if (eol == end)
                break;
            add();
            current.clear();
            started = cut = false;
            afterCr = *eol == '\r';
            p = eol + 1;
        }
    }
    if (started && lines.size() < maxLines)
        add();
    return lines;
}

} // namespace

QStringList readLines(const QString& path, int maxLines) {
    QList<bool> cuts;
    const QList<QByteArray> raw = rawLines(path, maxLines, MAX_ZEILE, &cuts);
    QStringList lines;
    for (int i = 0; i < raw.size(); ++i)
        lines << decodeLine(raw.at(i), cuts.at(i));
    return lines;
}

QList<QByteArray> readRawLines(const QString& path, int maxLines) {
    return rawLines(path, maxLines, 0);
}

QString decode(const QByteArray& line) {
    return decodeLine(line, false);
}

QByteArray encode(const QString& text) {
    const bool latin1 =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (latin1) {
        const QByteArray bytes = text.toLatin1();
        // Latin-1 bytes that happen to form UTF-8 ("Í¥" is CD A5) would be read back as other
        // characters; such a line is written in UTF-8, which reads back as it was.
        QString ignored;
        const bool ascii = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= 0; });
        if (ascii || !decodeUtf8(bytes, ignored))
            return bytes;
    }
    return text.toUtf8();
}

bool writeLines(const QString& path, const QStringList& lines, datei::Grund* grund) {
    QList<QByteArray> raw;
    for (const QString& line : lines)
        raw << encode(line);
    return writeRawLines(path, raw, grund);
}

bool writeRawLines(const QString& path, const QList<QByteArray>& lines, datei::Grund* grund) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    if (lines.isEmpty())
        bytes = "\r\n";
    return datei::ersetzen(path, bytes, grund);
}

bool appendLine(const QString& path, const QString& line, datei::Grund* grund) {
    const QByteArray bytes = encode(line) + "\r\n";
    QFile file;
    if (!datei::oeffnen(file, path,
                        QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered, grund))
        return false;
    errno = 0;
    if (file.write(bytes) == bytes.size())
        return true;
    if (grund) {
        grund->art = datei::Grund::Art::System;
        grund->fehlernummer = errno != 0 ? errno : ENOSPC;
    }
    return false;
}

QString oneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString inDir(const QString& dir, const QString& name) {
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

} // namespace zelmar::textfile
