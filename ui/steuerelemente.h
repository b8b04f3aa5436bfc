#pragma once

// Small makers for the controls the windows share: every control carries its system
// name as objectName, so tests and readers find it by that name.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

namespace zelmar::steuer {

inline QPushButton* knopf(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

// A text box the program writes and the user only reads.
inline QLineEdit* anzeige(const QString& name, QWidget* parent, const QString& text = {}) {
    auto* w = new QLineEdit(text, parent);
    w->setObjectName(name);
    w->setReadOnly(true);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

// A text box the user types into.
inline QLineEdit* eingabe(const QString& name, const QString& text, QWidget* parent,
                          const QString& tip = {}) {
    auto* w = new QLineEdit(text, parent);
    w->setObjectName(name);
    if (!tip.isEmpty())
        w->setToolTip(tip);
    return w;
}

inline QLabel* beschriftung(const QString& caption, const QString& name, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

inline QCheckBox* haken(const QString& caption, const QString& name, bool checked,
                        QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(checked);
    return c;
}

inline QRadioButton* option(const QString& caption, const QString& name, QWidget* parent) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    return o;
}

// A frame (group box) with its caption.
inline QGroupBox* rahmen(const QString& caption, const QString& name, QWidget* parent) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

// Keeps its place in the layout while hidden, so neighbours do not jump.
inline void platzBehalten(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace zelmar::steuer
