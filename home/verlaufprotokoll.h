#pragma once

#include "verlaufdatei.h"

#include <QDate>
#include <QObject>

namespace zelmar {

class AppContext;
struct ApartmentValues;

// The session's recording of the apartment's values: every whole fetch of the display becomes
// a row of the day's log, and the trend windows hear of it. Widget-free; one per session, so a
// log that cannot be written is reported once, however often the display fetches.
class VerlaufProtokoll : public QObject {
    Q_OBJECT
public:
    // Made at first use; it belongs to the context's link and lives as long as it.
    static VerlaufProtokoll& sitzung(AppContext& ctx);

    QString pfad(const QDate& tag) const;

    // One row at the clock's time. A fetch in which nothing could be read is no measurement
    // and leaves no row.
    void aufzeichnen(const zelmar::ApartmentValues& werte);

signals:
    // Also when the file could not take it: the curves show what was fetched.
    void aufgezeichnet(const QDate& tag, const zelmar::verlauf::Zeile& zeile);

private:
    explicit VerlaufProtokoll(AppContext& ctx);

    AppContext& m_ctx;
    bool m_gemeldet = false;
};

} // namespace zelmar
