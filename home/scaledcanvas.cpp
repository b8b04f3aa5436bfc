#include "scaledcanvas.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace zelmar {

ScaledCanvas::ScaledCanvas(const QSizeF& logicalSize, QWidget* parent)
    : QWidget(parent), m_logical(logicalSize) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(true);
}

void ScaledCanvas::place(QWidget* w, const QRectF& rect, qreal fontSize) {
    m_placed.append({w, rect, fontSize});
    arrange(m_placed.last());
}

QSize ScaledCanvas::sizeHint() const {
    return m_logical.toSize();
}

QSize ScaledCanvas::minimumSizeHint() const {
    return (m_logical / 2).toSize();
}

qreal ScaledCanvas::scale() const {
    return std::min(width() / m_logical.width(), height() / m_logical.height());
}

QPointF ScaledCanvas::origin() const {
    const qreal s = scale();
    return {(width() - m_logical.width() * s) / 2, (height() - m_logical.height() * s) / 2};
}

QRect ScaledCanvas::toWidget(const QRectF& rect) const {
    const qreal s = scale();
    const QPointF o = origin();
    return QRectF(o + rect.topLeft() * s, rect.size() * s).toAlignedRect();
}

void ScaledCanvas::arrange(const Placed& p) const {
    if (!p.widget)
        return;
    p.widget->setGeometry(toWidget(p.rect));
    // Below eight pixels nothing is readable any more; the control then clips instead.
    const int px = std::max(8, qRound(p.fontSize * scale()));
    if (p.widget->font().pixelSize() != px) {
        QFont f = p.widget->font();
        f.setPixelSize(px);
        p.widget->setFont(f);
    }
}

void ScaledCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (const Placed& p : std::as_const(m_placed))
        arrange(p);
}

void ScaledCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(origin());
    p.scale(scale(), scale());
    paintScene(p);
}

PlanShape::PlanShape(Form form, const QString& text, QWidget* parent)
    : QWidget(parent), m_form(form), m_text(text) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void PlanShape::setFillColor(const QColor& color) {
    if (palette().color(QPalette::Window) == color)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    update();
}

QColor PlanShape::fillColor() const {
    return palette().color(QPalette::Window);
}

void PlanShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const QColor ink(40, 40, 40);
    switch (m_form) {
    case Form::Kreis:
        p.setPen(QPen(ink, 1.2));
        p.setBrush(fillColor());
        p.drawEllipse(r);
        p.setPen(ink);
        p.drawText(r, Qt::AlignCenter, m_text);
        break;
    case Form::Heizkoerper: {
        p.setPen(QPen(ink, 1));
        p.setBrush(fillColor());
        p.drawRoundedRect(r, 2, 2);
        // Ribs across the long side.
        const bool wide = r.width() >= r.height();
        const int ribs = std::max(3, int((wide ? r.width() : r.height()) / 7));
        for (int i = 1; i < ribs; ++i) {
            const qreal f = qreal(i) / ribs;
            if (wide)
                p.drawLine(QPointF(r.left() + f * r.width(), r.top() + 2),
                           QPointF(r.left() + f * r.width(), r.bottom() - 2));
            else
                p.drawLine(QPointF(r.left() + 2, r.top() + f * r.height()),
                           QPointF(r.right() - 2, r.top() + f * r.height()));
        }
        break;
    }
    case Form::Tuerblatt: {
        p.setPen(QPen(ink, 2));
        p.drawLine(r.bottomLeft(), r.topRight());
        break;
    }
    }
}

} // namespace zelmar
