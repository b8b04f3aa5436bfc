#pragma once

// A memory window of an ATmega8 slave on the demo installation, with a hand-set simulation
// clock so the slave's clock and measured values stand still between two reads.

#include "windowbench.h"

#include "sim/virtualinstallation.h"

#include <QTimer>

#include <functional>

struct Atmega8Bench {
    zelmar::sim::ManualClock clock; // outlives the installation inside the bench
    WindowBench b{WindowBench::Geraete::Keine};
    int sent = 0; // reply bytes the interface has sent so far

    Atmega8Bench() {
        b.sim = std::make_unique<zelmar::sim::VirtualInstallation>(
            b.t.port, zelmar::sim::Scenario::demo(), &clock);
        b.sim->installation().line().setTxObserver(
            [this](quint8, qint64, zelmar::sim::InterfaceLine::Fate fate) {
                if (fate != zelmar::sim::InterfaceLine::Fate::Garbage)
                    ++sent;
            });
    }

    // Opens the window for the slave and waits for its first read; `atOpening` runs before it.
    void open(const QString& window, const QString& startTimer, int slave,
              const std::function<void()>& atOpening = {}) {
        b.t.link.SLAVE_ADRESSE = quint8(slave);
        b.open(window);
        if (atOpening)
            atOpening();
        QTRY_VERIFY(!b.child<QTimer>(startTimer)->isActive());
        b.waitForJobs();
    }

    zelmar::sim::Atmega8Slave& slave() { return *b.sim->slave(8); }
    // The n-th reply byte from now on arrives with bits flipped.
    void corruptReplyByte(int n) { b.sim->faults().corruptEvery = sent + n; }
    // Clicks into a value box and types a new value.
    void enter(const QString& box, const QString& text) {
        QTest::mouseClick(b.box(box), Qt::LeftButton);
        b.type(box, text);
    }
    // One pass with "repead" ticked, shown as such: unticking it during the next pass's first
    // transaction ends the loop there.
    void repeatOnePass() {
        b.click(QStringLiteral("Check_REPEAD"));
        b.atFrame(3, [this] { b.click(QStringLiteral("Check_REPEAD")); });
        b.clickAndWait(QStringLiteral("Command_lesen"));
    }
    QStringList messages() const { return b.t.prompter.messages(); }
};
