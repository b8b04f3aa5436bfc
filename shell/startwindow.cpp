#include "startwindow.h"

#include "ui/unloadgate.h"
#include "windownames.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmar {

namespace {

// The program's picture: an interface board on its two bus lines with three slaves.
QPixmap bild() {
    QPixmap pm(240, 120);
    pm.fill(QColor(0x00, 0x00, 0x80));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor sda(0xFF, 0xFF, 0x00), scl(0x00, 0xFF, 0xFF);
    p.setPen(QPen(sda, 3));
    p.drawLine(60, 70, 230, 70);
    p.setPen(QPen(scl, 3));
    p.drawLine(60, 82, 230, 82);

    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0x00, 0x80, 0x00));
    p.drawRoundedRect(QRectF(10, 52, 50, 48), 4, 4);
    for (int i = 0; i < 3; ++i) {
        const int x = 95 + i * 48;
        p.setPen(QPen(sda, 2));
        p.drawLine(x + 10, 70, x + 10, 40);
        p.setPen(QPen(scl, 2));
        p.drawLine(x + 22, 82, x + 22, 40);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(QColor(0x80, 0x80, 0x80));
        p.drawRect(QRectF(x, 18, 32, 22));
    }
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(18);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 92, 240, 28), Qt::AlignCenter, QStringLiteral("ZELMAR"));
    return pm;
}

} // namespace

StartWindow::StartWindow(AppContext&, QWidget* parent) : QWidget(parent) {
    setObjectName(fenster::START);
    setWindowTitle(tr("INFO"));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(bild());
    Picture1->setAlignment(Qt::AlignCenter);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setText(
        QStringLiteral("Version: %1.%2.").arg(ZELMAR_VERSION_MAJOR).arg(ZELMAR_VERSION_REVISION));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture1);
    layout->addWidget(Text1);

    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(1000);
    guardedConnect(Timer_START, &QTimer::timeout, this, &StartWindow::Timer_START_Timer);
    Timer_START->start();
}

void StartWindow::Timer_START_Timer() {
    Timer_START->stop();
    close();
}

} // namespace zelmar
