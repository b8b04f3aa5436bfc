#pragma once

// Files by name, read and replaced safely. A name is taken as the file system spells it: bytes
// that are no UTF-8 survive the trip through a QString. Only regular files are read or
// replaced: opening a FIFO would block, a device must never be replaced by a regular file. A
// file written anew takes its name only when it is whole.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace zelmar::datei {

// The bytes the file system knows a name by, and back. A byte that is not part of valid UTF-8
// travels as the code unit U+DC00 + byte, so every name read comes back as it was.
QByteArray nativ(const QString& pfad);
QString vonNativ(const QByteArray& name);

// Why a file was not read or written.
struct Grund {
    enum class Art {
        Keiner,
        Fehlt,       // reading: there is no such file
        OrdnerFehlt, // writing: the directory `wo` does not exist
        // Under the name (or where its symbolic links lead, `wo`) stands no regular file:
        Verzeichnis,
        Fifo,
        Geraet,
        Socket,
        Anderes,
        Verwaist, // a symbolic link to nothing (`wo`)
        System,   // the system's reason, `fehlernummer`
    };
    Art art = Art::Keiner;
    int fehlernummer = 0;
    QString wo;

    bool gut() const { return art == Art::Keiner; }
    bool keineDatei() const { return art >= Art::Verzeichnis && art <= Art::Verwaist; }
    // The system's own text for `fehlernummer`, in the user's language.
    QString systemText() const;
    // "ist ein Verzeichnis, keine gewöhnliche Datei", "Datei nicht vorhanden", or the system's
    // text.
    QString text() const;
};

// Art::Keiner when nothing or a regular file stands under the name (also at the end of
// symbolic links); otherwise what stands there.
Grund wasDaSteht(const QString& pfad);

// Opens a regular file: for reading (QIODevice::ReadOnly) or for appending or updating in place
// (WriteOnly | Append, ReadWrite), creating it if need be. Never blocks on a FIFO and never
// opens a device for good.
bool oeffnen(QFile& datei, const QString& pfad, QIODevice::OpenMode modus, Grund* grund = nullptr);

// A file written under a temporary name beside it and renamed to its own only when complete
// and only over a regular file or nothing; a symbolic link stays and its target is replaced.
// An unfinished file goes with its temporary name when this goes.
class Ersatz {
public:
    explicit Ersatz(QString pfad);
    ~Ersatz();
    Ersatz(const Ersatz&) = delete;
    Ersatz& operator=(const Ersatz&) = delete;

    // Creates the temporary file; false with the reason.
    bool oeffnen();
    // All of the bytes or false.
    bool schreiben(const QByteArray& bytes);
    // Puts the file in place.
    bool abschliessen();
    // Drops what was written; the file under the name stays as it was.
    void verwerfen();
    const Grund& grund() const { return m_grund; }

private:
    bool fehlschlag(Grund grund);

    QString m_pfad;
    QByteArray m_ziel;      // where the name finally leads
    QByteArray m_temporaer; // the temporary file's name, empty when there is none
    int m_fd = -1;
    unsigned m_modus = 0666; // of the file replaced, or what a new file gets
    Grund m_grund;
};

// Replaces the file with the bytes, or leaves it as it was and says why.
bool ersetzen(const QString& pfad, const QByteArray& bytes, Grund* grund = nullptr);

} // namespace zelmar::datei
