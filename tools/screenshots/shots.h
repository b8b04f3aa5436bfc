#pragma once

// What the picture programs share: writing a window's picture, and letting it settle first.

#include "i18n/sprache.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace shots {

// The command line without the program's name; "--language en" in it makes the pictures
// English.
inline QStringList argumente() {
    QStringList a = QCoreApplication::arguments();
    const zelmar::sprache::Wahl w = zelmar::sprache::ausArgumenten(a);
    if (!w.fehler.isEmpty())
        qFatal("%s", qPrintable(w.fehler));
    if (w.sprache && !zelmar::sprache::installieren(*w.sprache))
        qFatal("the translation cannot be loaded");
    a.removeFirst();
    return a;
}

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
