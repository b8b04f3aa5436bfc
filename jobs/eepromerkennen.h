#pragma once

#include "job.h"

#include "link/eepromerkennung.h"

namespace zelmar {

// The read-only detection of the EEPROM at a slave address as a job: one probe a step.
class EepromErkennen : public Job {
    Q_OBJECT
public:
    using Result = EepromErkennung;
    EepromErkennen(Link& link, int slave);

signals:
    void finished(const zelmar::EepromErkennung& result);

protected:
    bool step() override;
    void finish() override;

private:
    EepromErkenner m_erkenner;
    bool m_fertig = false;
};

} // namespace zelmar
