#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

namespace zelmar {

// What the program asks of the machine around it, so tests can stand in for it.
class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual QDateTime now() const = 0;

    // Sets the PC clock to a time of today; false when the machine refuses.
    virtual bool setClock(const QTime& time) {
        Q_UNUSED(time);
        return false;
    }
    // Shows a written text file in the desktop's viewer without waiting for it.
    virtual bool openInTextViewer(const QString& path) {
        Q_UNUSED(path);
        return false;
    }
    // Ends the program at once: every window disappears without its own closing. A stand-in
    // that only tells the time leaves the program running.
    virtual void endProcess() {}
};

} // namespace zelmar
