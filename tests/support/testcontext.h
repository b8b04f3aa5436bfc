#pragma once

// A ready application context around a virtual port, and small file helpers, for the tests of
// every area.

#include "fakes.h"

#include "files/slavedirectory.h"
#include "files/systemservices.h"
#include "link/link.h"
#include "link/virtualserialport.h"
#include "shell/appcontext.h"
#include "ui/palette.h"
#include "ui/prompter.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

// A context as the start procedure leaves it, in a fresh program directory, German number
// format, reply time-out 100 ms. Frames go to `frames`, not to the TWI logbook.
struct TestContext {
    QTemporaryDir dir;
    zelmar::VirtualSerialPort port;
    zelmar::Link link{port};
    zelmar::SlaveDirectory slaves;
    FakePrompter prompter;
    FakeSystemServices system;
    FrameRecorder frames;
    zelmar::AppContext ctx{link, slaves, prompter, system, QLocale(QLocale::German)};

    TestContext() {
        ctx.setProgrammPfad(dir.path());
        QDir().mkpath(ctx.DATEN_PFAD);
        link.setFrameLogSink(&frames);
        link.setReplyTimeout(100);
    }
    ~TestContext() { link.setFrameLogSink(nullptr); }

    QString file(const QString& name) const { return ctx.PROGRAMM_PFAD + name; }
};

// A fresh program directory, with the trailing slash the program uses.
struct ProgramDir {
    QTemporaryDir tmp;
    QString pfad() const { return tmp.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return pfad() + name; }
};

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline bool putFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The background of a control as one of the 16 palette indices, -1 for any other colour.
inline int qbIndexOf(const QWidget* w) {
    const QColor c = zelmar::backColor(w);
    for (int i = 0; i < 16; ++i)
        if (zelmar::qbColor(i) == c)
            return i;
    return -1;
}
