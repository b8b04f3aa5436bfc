#pragma once

#include "job.h"

#include "link/reply.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zelmar {

// What the apartment's slaves report. Empty texts and values are ones that could not be read
// (never a measured 0).
struct ApartmentValues {
    // The slaves whose presence the plan shows, in the order they are probed.
    static constexpr std::array<int, 8> SLAVES{8, 20, 40, 44, 45, 60, 65, 66};
    // The rooms with a controller: temperature (code 120, tenths) and heating value (121).
    static constexpr std::array<int, 3> RAUM_SLAVES{20, 40, 60};
    static constexpr int WETTERSTATION = 44;
    static constexpr int ZENTRALE = 8; // master clock and date

    struct Raum {
        std::optional<double> temperatur;
        std::optional<double> heizung;
    };

    std::array<bool, SLAVES.size()> vorhanden{};
    QString datum;
    QString zeit;
    std::array<QString, SLAVES.size()> zeitSlave; // index 0 (the central unit) unused
    std::optional<double> aussentemperatur;
    std::optional<double> luftdruck;
    std::optional<double> sonne;
    std::optional<std::pair<int, int>> sonnenaufgang; // hour and minute bytes
    std::optional<std::pair<int, int>> sonnenuntergang;
    std::array<Raum, RAUM_SLAVES.size()> raum;
};

// The apartment fetch: eight presence probes, the central date and time, the slaves' clocks,
// the weather station and the rooms, one request a step. With repeat on, the next pass follows
// at once. A frame the link refuses ends the fetch and forgets every value: nothing shown may
// pass for a current reading then.
class ApartmentFetch : public Job {
    Q_OBJECT
public:
    explicit ApartmentFetch(Link& link);

    void setRepeat(bool on) { m_repeat = on; }
    const ApartmentValues& values() const { return m_werte; }
    int passes() const { return m_durchgaenge; }

signals:
    // A value has been read (or has failed).
    void updated();
    // A pass has read everything once; refused or cancelled passes do not count.
    void passDone(const zelmar::ApartmentValues& values);
    void finished(const zelmar::ApartmentValues& values);

protected:
    bool step() override;
    void finish() override;

private:
    std::vector<std::function<void()>> m_schritte;
    ApartmentValues m_werte;
    Reply m_antwort; // of the request under way
    size_t m_naechster = 0;
    int m_durchgaenge = 0;
    bool m_repeat = false;
};

} // namespace zelmar
