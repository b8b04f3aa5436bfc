#pragma once

#include "job.h"

#include <functional>
#include <vector>

namespace zelmar {

// A loop of phases run again and again: each phase is a few transactions, optionally followed
// by a pause, and says whether the loop goes on; phases with no pause between them share a step.
// After the last phase the loop starts over while `again` says so. The repeat loops of the windows
// (standard commands, memory displays, auto runs) take this shape instead of looping inside a click
// handler.
class Repetition : public Job {
    Q_OBJECT
public:
    struct Phase {
        std::function<bool()> run; // false ends the loop
        int pauseMs = 0;           // before the next phase
    };

    Repetition(Link& link, std::vector<Phase> phases, std::function<bool()> again);

    int passes() const { return m_durchgaenge; }

signals:
    void finished(int passes);

protected:
    bool step() override;
    void finish() override;

private:
    std::vector<Phase> m_phasen;
    std::function<bool()> m_nochmal;
    size_t m_naechste = 0;
    int m_durchgaenge = 0;
};

} // namespace zelmar
