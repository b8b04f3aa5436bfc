#pragma once

// Stand-ins for the program's seams: the prompter, the machine and the frame log.

#include "files/systemservices.h"
#include "link/link.h"
#include "ui/prompter.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

// Answers from a script, and a log of everything shown. With its script used up it answers
// as a user pressing Cancel or No would, and counts that as unexpected.
class FakePrompter : public zelmar::Prompter {
public:
    enum class Kind { Message, YesNo, Input, File };
    struct Shown {
        Kind kind;
        QString text;
        QString title;
        QString defaultText;
    };

    QList<Shown> shown;
    QStringList inputs; // answers for input(), in order
    QList<bool> yesNo;  // answers for askYesNo(), in order
    QStringList files;  // answers for openFileName() and saveFileName(), in order
    int beeps = 0;
    int unexpected = 0;

    void message(const QString& text, const QString& title = QString()) override {
        shown.append({Kind::Message, text, title, QString()});
    }
    bool askYesNo(const QString& text, const QString& title) override {
        shown.append({Kind::YesNo, text, title, QString()});
        if (yesNo.isEmpty()) {
            ++unexpected;
            return false;
        }
        return yesNo.takeFirst();
    }
    QString input(const QString& prompt, const QString& title,
                  const QString& defaultText) override {
        shown.append({Kind::Input, prompt, title, defaultText});
        if (inputs.isEmpty()) {
            ++unexpected;
            return QString();
        }
        return inputs.takeFirst();
    }
    void beep() override { ++beeps; }
    QString openFileName(const QString& title, const QString& dir, const QString& filter) override {
        return file(title, dir, filter);
    }
    QString saveFileName(const QString& title, const QString& path,
                         const QString& filter) override {
        return file(title, path, filter);
    }
    QString file(const QString& title, const QString& where, const QString& filter) {
        shown.append({Kind::File, filter, title, where});
        if (files.isEmpty()) {
            ++unexpected;
            return QString();
        }
        return files.takeFirst();
    }

    QStringList messages() const {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == Kind::Message)
                texts << s.text;
        return texts;
    }
};

// A fixed clock that records what the program asks of the machine.
class FakeSystemServices : public zelmar::SystemServices {
public:
    QDateTime clock{QDate(2006, 12, 5), QTime(7, 42, 6)};
    bool clockRefused = false;
    QList<QTime> clockChanges;
    QStringList openedFiles;
    int exits = 0;

    QDateTime now() const override { return clock; }
    bool setClock(const QTime& time) override {
        if (clockRefused || !time.isValid())
            return false;
        clockChanges << time;
        clock.setTime(time);
        return true;
    }
    bool openInTextViewer(const QString& path) override {
        openedFiles << path;
        return true;
    }
    void endProcess() override { ++exits; }
};

// Every request the engine was asked to send, before it was checked.
class FrameRecorder : public zelmar::FrameLogSink {
public:
    QList<zelmar::FrameLogEntry> entries;
    void logFrame(const zelmar::FrameLogEntry& entry) override { entries << entry; }
};
