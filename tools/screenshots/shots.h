#pragma once

// What the picture programs share: writing a window's picture, and letting it settle first.

#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace shots {

inline bool save(QWidget* w, const QString& path) {
    const bool ok = w->grab().save(path);
    std::printf("%s %dx%d %s\n", qPrintable(path), w->width(), w->height(), ok ? "" : "FAILED");
    return ok;
}

// Lets timers and transactions run for a while, as a user would wait.
inline void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace shots
