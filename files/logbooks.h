#pragma once

#include "dateien.h"

#include "link/link.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>

namespace zelmar {

class SystemServices;

// The two logbooks in the data directory (a path with a trailing "/"). Each call appends one
// whole line in a single write; a failed write changes nothing else and is only reported by
// the return value, which callers may ignore.

// LOGBUCH.txt: "<date> <time>   START" / "<date> <time>   ENDE".
bool LOGBUCH_START(const QString& datenPfad, const QDateTime& now,
                   const QLocale& locale = QLocale::system(), datei::Grund* grund = nullptr);
bool LOGBUCH_ENDE(const QString& datenPfad, const QDateTime& now,
                  const QLocale& locale = QLocale::system(), datei::Grund* grund = nullptr);

// One line of LOGBUCH_TWI.txt, without its line end.
QString twiLogbookLine(const FrameLogEntry& entry, const QDateTime& now, const QLocale& locale);
bool LOGBUCH_TWI_EINTRAG(const QString& datenPfad, const FrameLogEntry& entry, const QDateTime& now,
                         const QLocale& locale = QLocale::system(), datei::Grund* grund = nullptr);

// The engine's frame log, written to LOGBUCH_TWI.txt. `services` must outlive it. The frame is
// sent whether its line was written or not; `failed` hears of the first line that could not be
// written (and of the first again after the logbook worked once more), not of every frame.
class TwiLogbook : public FrameLogSink {
public:
    TwiLogbook(QString datenPfad, const SystemServices& services,
               QLocale locale = QLocale::system(),
               std::function<void(const QString& text)> failed = {});
    void logFrame(const FrameLogEntry& entry) override;

private:
    QString m_datenPfad;
    const SystemServices& m_services;
    QLocale m_locale;
    std::function<void(const QString&)> m_failed;
    bool m_failing = false;
};

// The message for a logbook or settings file that could not be written, with the reason.
QString nichtGeschrieben(const QString& pfad, const datei::Grund& grund);
// The same for several files, each with its reason.
QString nichtGeschrieben(const QList<std::pair<QString, datei::Grund>>& dateien);

} // namespace zelmar
