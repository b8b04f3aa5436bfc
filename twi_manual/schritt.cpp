#include "schritt.h"

#include "registerpanel.h"

#include "link/link.h"
#include "ui/palette.h"
#include "ui/steuerelemente.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

namespace zelmar {

namespace {

QString kTip() {
    return QCoreApplication::translate("zelmar::Schritt", "TWSR-STATUS (hex)");
}

void statusZeigen(QLineEdit* status, const QString& text, const QString& erklaerung) {
    status->setText(text);
    status->setToolTip(kTip() + QLatin1Char('\n') + erklaerung);
}

} // namespace

QCheckBox* freigabeBox(const QString& name, QWidget* parent) {
    QCheckBox* c = steuer::haken(QString(), name, true, parent);
    c->setToolTip(QCoreApplication::translate("zelmar::Schritt", "enabled"));
    return c;
}

QLineEdit* statusFeld(const QString& name, QWidget* parent) {
    QLineEdit* s = steuer::anzeige(name, parent);
    s->setAlignment(Qt::AlignCenter);
    s->setFixedWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("F8")) + 28);
    statusLeeren(s);
    setBackColor(s, QB_HELLGRAU);
    return s;
}

void statusLeeren(QLineEdit* status) {
    status->clear();
    status->setToolTip(kTip());
}

void statusFehler(QLineEdit* status, const QString& grund) {
    statusZeigen(status, QString(), grund);
    setBackColor(status, QB_HELLROT);
}

Ergebnis ausfuehren(RegisterPanel& panel, Link& link, const Schritt& s) {
    setBackColor(s.status, QB_HELLGELB);
    bool weiter = true;
    if (s.byte) {
        panel.setzen(TwiRegister::TWDR, *s.byte);
        weiter = panel.schreiben(TwiRegister::TWDR);
    }
    if (weiter) {
        panel.setzen(TwiRegister::TWCR, s.twcr);
        weiter = panel.schreiben(TwiRegister::TWCR);
    }
    if (weiter && s.danach == Schritt::Danach::TwintAbwarten)
        weiter = panel.TWINT_ABWARTEN();
    else if (weiter && s.danach == Schritt::Danach::TwcrLesen)
        weiter = panel.lesen(TwiRegister::TWCR);
    if (weiter && s.rotNachWarten && link.STATUS_CODE > 0)
        setBackColor(s.status, QB_HELLROT);
    if (weiter)
        weiter = panel.lesen(TwiRegister::TWSR);
    if (!weiter) {
        statusFehler(s.status, panel.letzteAntwort().statusText);
        return Ergebnis::Abbruch;
    }

    statusZeigen(s.status, panel.TWSR_BEREINIGT_HEX, panel.twsrErklaerung());
    if (s.erwartet.contains(panel.TWSR_BEREINIGT_HEX)) {
        setBackColor(s.status, QB_HELLGRUEN);
        return Ergebnis::Gut;
    }
    setBackColor(s.status, QB_HELLROT);
    if (s.fehlerCode > 0)
        link.STATUS_CODE = s.fehlerCode;
    return Ergebnis::Falsch;
}

bool twiAusschalten(RegisterPanel& panel, QCheckBox* box) {
    panel.setzen(TwiRegister::TWCR, 0);
    if (!panel.schreiben(TwiRegister::TWCR))
        return false;
    setBackColor(box, panel.letzteAntwort().done() ? QB_HELLGRUEN : QB_HELLROT);
    return true;
}

} // namespace zelmar
