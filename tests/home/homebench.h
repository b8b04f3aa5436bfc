#pragma once

// A window of home/ opened through the window registry on a test context, with the demo
// installation behind the port.

#include "tests/console/testcontext.h"

#include "home/homewindows.h"
#include "sim/virtualinstallation.h"

#include <QAbstractButton>
#include <QPointer>
#include <QtTest>

#include <memory>

struct HomeBench {
    TestContext t;
    std::unique_ptr<zelmar::sim::VirtualInstallation> sim;
    QPointer<QWidget> w;

    explicit HomeBench(const QString& window) {
        sim = std::make_unique<zelmar::sim::VirtualInstallation>(t.port);
        zelmar::registerHomeWindows(t.ctx.windows);
        w = t.ctx.windows.show(window);
        if (!w)
            qFatal("window %s missing", qPrintable(window));
    }

    template <typename T = QWidget> T* child(const QString& name) const {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    void click(const QString& name) {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    int colour(const QString& name) const { return qbIndexOf(child(name)); }

    // Runs `action` from the event loop once the engine has sent `frames` frames, as a user's
    // click during a wait would.
    void atFrame(int frames, std::function<void()> action) {
        auto count = std::make_shared<int>(0);
        auto conn = std::make_shared<QMetaObject::Connection>();
        *conn = QObject::connect(&t.link, &zelmar::Link::frameSent, [=] {
            if (++*count == frames) {
                QObject::disconnect(*conn);
                QTimer::singleShot(0, action);
            }
        });
    }
};
