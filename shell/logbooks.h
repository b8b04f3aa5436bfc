#pragma once

#include "link/link.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace zelmar {

class SystemServices;

// The two logbooks in the data directory (a path with a trailing "/"). Each call appends one
// whole line in a single write; a failed write changes nothing else and is only reported by
// the return value, which callers may ignore.

// LOGBUCH.txt: "<date> <time>   START" / "<date> <time>   ENDE".
bool LOGBUCH_START(const QString& datenPfad, const QDateTime& now,
                   const QLocale& locale = QLocale::system());
bool LOGBUCH_ENDE(const QString& datenPfad, const QDateTime& now,
                  const QLocale& locale = QLocale::system());

// One line of LOGBUCH_TWI.txt, without its line end.
QString twiLogbookLine(const FrameLogEntry& entry, const QDateTime& now, const QLocale& locale);
bool LOGBUCH_TWI_EINTRAG(const QString& datenPfad, const FrameLogEntry& entry, const QDateTime& now,
                         const QLocale& locale = QLocale::system());

// The engine's frame log, written to LOGBUCH_TWI.txt. `services` must outlive it.
class TwiLogbook : public FrameLogSink {
public:
    TwiLogbook(QString datenPfad, const SystemServices& services,
               QLocale locale = QLocale::system());
    void logFrame(const FrameLogEntry& entry) override;

private:
    QString m_datenPfad;
    const SystemServices& m_services;
    QLocale m_locale;
};

} // namespace zelmar
