#include "eepromzellen.h"

#include "ui/palette.h"
#include "ui/steuerelemente.h"

#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmar {

namespace {
const char* const kZelle = "zelle";
} // namespace

EepromZellen::EepromZellen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EepromZellen"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(1);
    const QString strich = QStringLiteral("---");
    const int breite = fontMetrics().horizontalAdvance(QStringLiteral("x0000")) + 10;
    for (int i = 0; i < ANZAHL; ++i) {
        const int spalte = i / ZEILEN;
        const int zeile = i % ZEILEN;
        auto* adresse = steuer::anzeige(QStringLiteral("Text_ADRESSE_%1").arg(i), this, strich);
        setBackColor(adresse, QB_HELLGRAU);
        adresse->setFixedWidth(breite);
        auto* wert = steuer::eingabe(QStringLiteral("Text2_%1").arg(i), strich, this);
        wert->setFixedWidth(breite - 8);
        wert->setProperty(kZelle, i);
        wert->installEventFilter(this);
        auto* w = steuer::knopf(tr("w"), QStringLiteral("Command_w_%1").arg(i), this);
        w->setFixedWidth(22);
        w->setToolTip(tr("Wert schreiben"));
        for (QWidget* c : {static_cast<QWidget*>(adresse), static_cast<QWidget*>(wert),
                           static_cast<QWidget*>(w)})
            c->setFixedHeight(20);
        grid->addWidget(adresse, zeile, spalte * 4);
        grid->addWidget(wert, zeile, spalte * 4 + 1);
        grid->addWidget(w, zeile, spalte * 4 + 2);
        if (spalte + 1 < SPALTEN)
            grid->setColumnMinimumWidth(spalte * 4 + 3, 8);
        Text_ADRESSE[i] = adresse;
        Text2[i] = wert;
        Command_w[i] = w;
    }
}

bool EepromZellen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant zelle = watched->property(kZelle);
        if (zelle.isValid())
            emit Text2_Click(zelle.toInt());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelmar
