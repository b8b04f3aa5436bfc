#pragma once

#include <QColor>

class QWidget;

namespace zelmar {

// The classic 16-colour palette; the windows name their colours by these indices.
enum QbColorIndex {
    QB_HELLGRAU = 7,
    QB_HELLGRUEN = 10,
    QB_HELLCYAN = 11,
    QB_HELLROT = 12,
    QB_HELLGELB = 14,
};

// Index 0..15; anything else is taken modulo 16.
QColor qbColor(int index);

// Background of a control: the base of text fields, combo and list boxes, the window colour
// of buttons, labels and frames. Does nothing when the control has that colour already, so
// display ticks can call it freely.
void setBackColor(QWidget* w, const QColor& color);
inline void setBackColor(QWidget* w, int qbIndex) {
    setBackColor(w, qbColor(qbIndex));
}
QColor backColor(const QWidget* w);

// The text colour of a control, set only when it changes.
void setForeColor(QWidget* w, const QColor& color);

} // namespace zelmar
