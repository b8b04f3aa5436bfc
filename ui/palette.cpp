#include "palette.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace zelmar {

namespace {

const QRgb kPalette[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

bool isTextField(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

QPalette::ColorRole backRole(const QWidget* w) {
    return isTextField(w) ? QPalette::Base : QPalette::Window;
}

} // namespace

QColor qbColor(int index) {
    return QColor::fromRgb(kPalette[((index % 16) + 16) % 16]);
}

void setBackColor(QWidget* w, const QColor& color) {
    const QPalette::ColorRole role = backRole(w);
    if (w->palette().color(role) == color && (role == QPalette::Base || w->autoFillBackground()))
        return;
    QPalette p = w->palette();
    p.setColor(role, color);
    if (role == QPalette::Base) {
        // A read-only field is drawn with the inactive or disabled group by some styles.
        p.setColor(QPalette::Inactive, role, color);
        p.setColor(QPalette::Disabled, role, color);
    } else {
        w->setAutoFillBackground(true);
        p.setColor(QPalette::Button, color);
    }
    w->setPalette(p);
}

QColor backColor(const QWidget* w) {
    return w->palette().color(backRole(w));
}

void setForeColor(QWidget* w, const QColor& color) {
    const QPalette::ColorRole role = isTextField(w) ? QPalette::Text : QPalette::WindowText;
    if (w->palette().color(role) == color)
        return;
    QPalette p = w->palette();
    p.setColor(role, color);
    p.setColor(QPalette::ButtonText, color);
    w->setPalette(p);
}

} // namespace zelmar
