// Ends the program from a handler that runs while a transaction waits for its reply, the way
// "END" does when it is clicked during a scan. Prints "ended too late" if the wait came back.

#include "link/link.h"
#include "link/virtualserialport.h"
#include "shell/desktopservices.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zelmar::VirtualSerialPort port; // nobody answers
    zelmar::Link link(port);
    link.setReplyTimeout(60000);
    zelmar::DesktopSystemServices services;
    QTimer::singleShot(100, [&] { services.endProcess(); });
    link.BEFEHL = 0;
    link.RAHMEN_SENDEN();
    link.DATEN_EMPFANGEN(1);
    link.WARTEN_1S();
    std::puts("ended too late");
    return 3;
}
