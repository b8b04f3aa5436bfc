#include "systemservices.h"

namespace zelmar {

QDateTime DesktopSystemServices::now() const {
    return QDateTime::currentDateTime();
}

} // namespace zelmar
