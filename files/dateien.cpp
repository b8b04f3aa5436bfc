#include "dateien.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelmar::datei {

namespace {

constexpr char16_t kFlucht = 0xDC00;

bool utf8(const QByteArray& bytes, QString* text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    *text = decoder(bytes);
    return !decoder.hasError();
}

int utf8Laenge(quint8 erstes) {
    if (erstes >= 0xC2 && erstes <= 0xDF)
        return 2;
    if (erstes >= 0xE0 && erstes <= 0xEF)
        return 3;
    if (erstes >= 0xF0 && erstes <= 0xF4)
        return 4;
    return 0;
}

Grund art(mode_t modus) {
    Grund g;
    if (S_ISDIR(modus))
        g.art = Grund::Art::Verzeichnis;
    else if (S_ISFIFO(modus))
        g.art = Grund::Art::Fifo;
    else if (S_ISCHR(modus) || S_ISBLK(modus))
        g.art = Grund::Art::Geraet;
    else if (S_ISSOCK(modus))
        g.art = Grund::Art::Socket;
    else if (!S_ISREG(modus))
        g.art = Grund::Art::Anderes;
    return g;
}

Grund system(int fehlernummer) {
    Grund g;
    g.art = Grund::Art::System;
    g.fehlernummer = fehlernummer;
    return g;
}

QByteArray ordner(const QByteArray& pfad) {
    const int schraeg = pfad.lastIndexOf('/');
    return schraeg < 0 ? QByteArray(".") : schraeg == 0 ? QByteArray("/") : pfad.left(schraeg);
}

// Where symbolic links under the name finally lead; the name itself when it is none.
QByteArray ziel(const QByteArray& pfad) {
    struct stat st {};
    if (::lstat(pfad.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return pfad;
    char echt[PATH_MAX];
    return ::realpath(pfad.constData(), echt) ? QByteArray(echt) : pfad;
}

} // namespace

QByteArray nativ(const QString& pfad) {
    QByteArray out;
    QString lauf;
    for (int i = 0; i < pfad.size(); ++i) {
        const char16_t c = pfad.at(i).unicode();
        const bool gepaart = i > 0 && QChar::isHighSurrogate(pfad.at(i - 1).unicode());
        if (c >= kFlucht + 0x80 && c <= kFlucht + 0xFF && !gepaart) {
            out += lauf.toUtf8();
            lauf.clear();
            out += char(c - kFlucht);
        } else {
            lauf += QChar(c);
        }
    }
    return out + lauf.toUtf8();
}

QString vonNativ(const QByteArray& name) {
    QString text;
    if (utf8(name, &text))
        return text;
    text.clear();
    for (int i = 0; i < name.size();) {
        const quint8 b = quint8(name.at(i));
        if (b < 0x80) {
            text += QLatin1Char(char(b));
            ++i;
            continue;
        }
        const int n = utf8Laenge(b);
        QString zeichen;
        if (n > 0 && i + n <= name.size() && utf8(name.mid(i, n), &zeichen)) {
            text += zeichen;
            i += n;
        } else {
            text += QChar(char16_t(kFlucht + b));
            ++i;
        }
    }
    return text;
}

QString Grund::systemText() const {
    return QString::fromLocal8Bit(std::strerror(fehlernummer));
}

QString Grund::text() const {
    const QString ueber =
        wo.isEmpty()
            ? QString()
            : QCoreApplication::translate("zelmar::datei", " (Ziel des Links: %1)").arg(wo);
    const QString keine =
        QCoreApplication::translate("zelmar::datei", ", keine gewöhnliche Datei") + ueber;
    switch (art) {
    case Art::Keiner:
        break;
    case Art::Fehlt:
        return QCoreApplication::translate("zelmar::datei", "Datei nicht vorhanden");
    case Art::OrdnerFehlt:
        return QCoreApplication::translate("zelmar::datei", "das Verzeichnis %1 gibt es nicht")
            .arg(wo);
    case Art::Verzeichnis:
        return QCoreApplication::translate("zelmar::datei", "ist ein Verzeichnis") + keine;
    case Art::Fifo:
        return QCoreApplication::translate("zelmar::datei", "ist eine FIFO (benannte Pipe)") +
               keine;
    case Art::Geraet:
        return QCoreApplication::translate("zelmar::datei", "ist eine Gerätedatei") + keine;
    case Art::Socket:
        return QCoreApplication::translate("zelmar::datei", "ist ein Socket") + keine;
    case Art::Anderes:
        return QCoreApplication::translate("zelmar::datei", "ist keine gewöhnliche Datei") + ueber;
    case Art::Verwaist:
        return QCoreApplication::translate("zelmar::datei",
                                           "ist ein symbolischer Link auf %1, das es nicht gibt")
            .arg(wo);
    case Art::System:
        return systemText();
    }
    return QString();
}

Grund wasDaSteht(const QString& pfad) {
    const QByteArray p = nativ(pfad);
    struct stat st {};
    if (::stat(p.constData(), &st) != 0) {
        if (errno != ENOENT)
            return system(errno);
        // Nothing there, or a symbolic link that leads nowhere.
        if (::lstat(p.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
            char z[PATH_MAX];
            const ssize_t n = ::readlink(p.constData(), z, sizeof z);
            Grund g;
            g.art = Grund::Art::Verwaist;
            g.wo = vonNativ(QByteArray(z, int(std::max<ssize_t>(n, 0))));
            return g;
        }
        return {};
    }
    Grund g = art(st.st_mode);
    if (!g.gut()) {
        const QByteArray z = ziel(p);
        if (z != p)
            g.wo = vonNativ(z);
    }
    return g;
}

bool oeffnen(QFile& datei, const QString& pfad, QIODevice::OpenMode modus, Grund* grund) {
    Grund g = wasDaSteht(pfad);
    const bool lesen = !(modus & QIODevice::WriteOnly);
    if (!g.gut()) {
        if (grund)
            *grund = g;
        return false;
    }
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (lesen)
        flags |= O_RDONLY;
    else if (modus & QIODevice::ReadOnly)
        flags |= O_RDWR | O_CREAT;
    else
        flags |= O_WRONLY | O_CREAT | ((modus & QIODevice::Append) ? O_APPEND : 0);
    const QByteArray p = nativ(pfad);
    int fd = -1;
    do
        fd = ::open(p.constData(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT && lesen)
            g.art = Grund::Art::Fehlt;
        else if (errno == ENOENT) {
            g.art = Grund::Art::OrdnerFehlt;
            g.wo = vonNativ(ordner(p));
        } else if (errno == EISDIR) {
            g.art = Grund::Art::Verzeichnis;
        } else if (errno == ENXIO) { // a FIFO nobody reads, swapped in since the look above
            g.art = Grund::Art::Fifo;
        } else {
            g = system(errno);
        }
    } else {
        // Swapped in between the look and the open: nothing is read from it or written to it.
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            g = system(errno);
        else
            g = art(st.st_mode);
        if (g.gut())
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        else
            ::close(fd);
    }
    if (g.gut() && !datei.open(fd, modus, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        g = system(EIO);
    }
    if (grund)
        *grund = g;
    return g.gut();
}

Ersatz::Ersatz(QString pfad) : m_pfad(std::move(pfad)) {}

Ersatz::~Ersatz() {
    verwerfen();
}

bool Ersatz::fehlschlag(Grund grund) {
    m_grund = std::move(grund);
    verwerfen();
    return false;
}

bool Ersatz::oeffnen() {
    verwerfen();
    if (m_pfad.isEmpty())
        return fehlschlag(system(ENOENT));
    const Grund da = wasDaSteht(m_pfad);
    if (!da.gut())
        return fehlschlag(da);
    m_ziel = ziel(nativ(m_pfad));
    struct stat st {};
    if (::stat(m_ziel.constData(), &st) == 0) {
        m_modus = st.st_mode & 07777;
    } else {
        const mode_t maske = ::umask(0);
        ::umask(maske);
        m_modus = 0666 & ~maske;
    }
    QByteArray muster = m_ziel + ".XXXXXX";
    m_fd = ::mkostemp(muster.data(), O_CLOEXEC);
    if (m_fd < 0) {
        Grund g = system(errno);
        if (g.fehlernummer == ENOENT) {
            g.art = Grund::Art::OrdnerFehlt;
            g.wo = vonNativ(ordner(m_ziel));
        }
        return fehlschlag(g);
    }
    m_temporaer = muster;
    if (::fchmod(m_fd, m_modus) != 0)
        return fehlschlag(system(errno));
    m_grund = {};
    return true;
}

bool Ersatz::schreiben(const QByteArray& bytes) {
    if (m_fd < 0)
        return false;
    const char* p = bytes.constData();
    qint64 rest = bytes.size();
    while (rest > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(rest));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fehlschlag(system(n < 0 ? errno : ENOSPC));
        p += n;
        rest -= n;
    }
    return true;
}

bool Ersatz::abschliessen() {
    if (m_fd < 0)
        return false;
    // On the disk before the name moves: a crash leaves the old file or the new one.
    if (::fsync(m_fd) != 0)
        return fehlschlag(system(errno));
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return fehlschlag(system(errno));
    // Looked at again right before the rename: something else may have taken the name.
    const Grund da = wasDaSteht(vonNativ(m_ziel));
    if (!da.gut())
        return fehlschlag(da);
    if (::rename(m_temporaer.constData(), m_ziel.constData()) != 0)
        return fehlschlag(errno == EISDIR ? art(S_IFDIR) : system(errno));
    m_temporaer.clear();
    return true;
}

void Ersatz::verwerfen() {
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporaer.isEmpty())
        ::unlink(m_temporaer.constData());
    m_temporaer.clear();
}

bool ersetzen(const QString& pfad, const QByteArray& bytes, Grund* grund) {
    Ersatz e(pfad);
    const bool ok = e.oeffnen() && e.schreiben(bytes) && e.abschliessen();
    if (grund)
        *grund = e.grund();
    return ok;
}

} // namespace zelmar::datei
