#pragma once

#include "apartmentfetch.h"

#include "files/dateien.h"
#include "files/verlaufdatei.h"

#include <QDate>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>

namespace zelmar {

class SystemServices;

namespace verlauf {
// What the apartment display shows of one fetch, at `zeit`, in the columns of the log.
Zeile zeileAus(const ApartmentValues& werte, const QTime& zeit);
} // namespace verlauf

// The apartment as the session reads it: one fetch at a time, once or repeated; every whole
// pass a row of the day's VERLAUF log; and whoever subscribes (the display, the trend window,
// zelmar-cli) hears of values, passes and rows. No widgets. One per session, so a log that
// cannot be written is reported once, however often the apartment is fetched.
class ApartmentSession : public QObject {
    Q_OBJECT
public:
    // The data directory and the locale are read at every row: the owner may set them later.
    ApartmentSession(Link& link, SystemServices& system, const QString& datenPfad,
                     const QLocale& locale);
    ~ApartmentSession() override;

    // Starts a fetch unless one runs (false then: two passes never run at once). With `repeat`
    // the passes follow each other until setRepeat(false) or abbrechen(). Closing or destroying
    // `owner` cancels the fetch after its transaction.
    bool holen(bool repeat, QObject* owner = nullptr);
    // For the fetch under way: whether another pass follows the current one.
    void setRepeat(bool on);
    void abbrechen();
    bool laeuft() const { return m_fetch != nullptr; }
    // The fetch under way, or null.
    ApartmentFetch* fetch() const { return m_fetch; }
    // Whole passes of this session.
    int passes() const { return m_durchgaenge; }

    // The log file of a day.
    QString pfad(const QDate& tag) const;
    // Off: the passes leave no row in the day's log (a service that was told not to keep it).
    void setVerlauf(bool an) { m_verlauf = an; }

signals:
    void started();
    // A value has been read (or has failed); the values as far as the pass has come.
    void updated(const zelmar::ApartmentValues& values);
    // A whole pass, after its row has gone to the log.
    void passDone(const zelmar::ApartmentValues& values);
    // The pass's row; also when the file could not take it, so a trend shows what was fetched.
    void aufgezeichnet(const QDate& tag, const zelmar::verlauf::Zeile& zeile);
    // The log could not take a row: said once a session.
    void verlaufFehler(const QString& pfad, const zelmar::datei::Grund& grund);
    // The fetch has ended: its passes done, cancelled, or its frame refused. `abgebrochen`:
    // by a cancel.
    void ended(bool abgebrochen);

private:
    void durchgang(const ApartmentValues& werte);
    // A fetch in which nothing could be read is no measurement and leaves no row.
    void aufzeichnen(const ApartmentValues& werte);

    Link& m_link;
    SystemServices& m_system;
    const QString& m_datenPfad;
    const QLocale& m_locale;
    QPointer<ApartmentFetch> m_fetch;
    int m_durchgaenge = 0;
    bool m_gemeldet = false;
    bool m_verlauf = true;
};

} // namespace zelmar
