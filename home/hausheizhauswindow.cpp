#include "hausheizhauswindow.h"

#include "heizhausbild.h"
#include "shell/windownames.h"

#include "ui/unloadgate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmar {

HausHeizhausWindow::HausHeizhausWindow(AppContext&, QWidget* parent) : QWidget(parent) {
    setObjectName(fenster::HAUS_HEIZHAUS);
    setWindowTitle(tr("HEIZHAUS"));

    m_bild = new HeizhausBild(this);
    const QString texte[] = {QStringLiteral("70 °C"), QStringLiteral("55 °C"),
                             QStringLiteral("i.O."),  tr("STÖRUNG"),
                             QStringLiteral("72 °C"), QStringLiteral("55 °C")};
    for (int i = 0; i < 6; ++i) {
        auto* l = new QLabel(texte[i], m_bild);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        // The lamp captions sit on the dark panel.
        const bool tafel = i == 2 || i == 3;
        l->setAlignment(tafel ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, tafel ? Qt::white : QColor(30, 30, 30));
        pal.setColor(QPalette::Window, QColor(255, 255, 240));
        l->setPalette(pal);
        l->setAutoFillBackground(!tafel);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        m_bild->place(l, HeizhausBild::labelPlatz(i + 1), 16);
        Label[i] = l;
    }

    Command_CLOSE = new QPushButton(tr("close"), this);
    Command_CLOSE->setObjectName(QStringLiteral("Command_CLOSE"));
    Command_CLOSE->setMinimumWidth(110);
    guardedConnect(Command_CLOSE, &QPushButton::clicked, this,
                   &HausHeizhausWindow::Command_CLOSE_Click);

    auto* unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(Command_CLOSE);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_bild, 1);
    layout->addLayout(unten);
    resize(780, 590);
}

void HausHeizhausWindow::Command_CLOSE_Click() {
    close();
}

} // namespace zelmar
