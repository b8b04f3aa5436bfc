#pragma once

#include "jobs/job.h"

#include <functional>
#include <vector>

namespace zelmar {

// The auto runs of the manual master window: sequences of steps run one after the other, each
// sequence again and again while its own "repeat" box is ticked, the whole chain again while
// `again` says so (the combined run repeats transmitter and receiver; with the transmitter's
// box ticked its loop never hands over). One job step is one step of a sequence, a few
// transactions; a step that returns false ends the run (a frame that never went out, the
// window going). A step waits while `frei` says the window is busy with a click of its own,
// so a run never cuts into a step clicked by hand.
class AutoLauf : public Job {
    Q_OBJECT
public:
    struct Folge {
        std::vector<std::function<bool()>> schritte;
        std::function<bool()> wiederholen; // asked once after each pass of the sequence
    };

    AutoLauf(Link& link, std::vector<Folge> folgen, std::function<bool()> again,
             std::function<bool()> frei);

    // Passes of the whole chain.
    int passes() const { return m_durchgaenge; }

signals:
    void finished(int passes);

protected:
    bool step() override;
    void finish() override;

private:
    std::vector<Folge> m_folgen;
    std::function<bool()> m_nochmal;
    std::function<bool()> m_frei;
    size_t m_folge = 0;
    size_t m_schritt = 0;
    int m_durchgaenge = 0;
};

} // namespace zelmar
