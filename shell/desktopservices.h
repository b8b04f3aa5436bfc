#pragma once

#include "files/systemservices.h"

namespace zelmar {

// The real machine.
class DesktopSystemServices : public SystemServices {
public:
    QDateTime now() const override;
    bool setClock(const QTime& time) override;
    bool openInTextViewer(const QString& path) override;
    void endProcess() override;
};

} // namespace zelmar
