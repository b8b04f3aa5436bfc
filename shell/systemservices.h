#pragma once

#include <QDateTime>

namespace zelmar {

// What the program asks of the machine around it, so tests can stand in for it.
class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual QDateTime now() const = 0;
};

// The real machine.
class DesktopSystemServices : public SystemServices {
public:
    QDateTime now() const override;
};

} // namespace zelmar
