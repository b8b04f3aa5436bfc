#include "systemservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

#include <ctime>

namespace zelmar {

QDateTime DesktopSystemServices::now() const {
    return QDateTime::currentDateTime();
}

bool DesktopSystemServices::setClock(const QTime& time) {
    if (!time.isValid())
        return false;
    const QDateTime target(QDate::currentDate(), time);
#ifdef Q_OS_UNIX
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(target.toSecsSinceEpoch());
    return ::clock_settime(CLOCK_REALTIME, &ts) == 0; // needs the right to set the clock
#else
    return false;
#endif
}

bool DesktopSystemServices::openInTextViewer(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopSystemServices::endProcess() {
    // Handlers waiting further down the stack return as the event loops end; nothing of the
    // program is to be seen meanwhile.
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

} // namespace zelmar
