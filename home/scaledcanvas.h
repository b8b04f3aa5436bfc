#pragma once

#include <QFont>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QWidget>

class QPainter;

namespace zelmar {

// A drawing in its own coordinates that fills the widget whatever its size, keeping its
// proportions. Controls placed on it keep their place and grow and shrink with the drawing,
// their text included.
class ScaledCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ScaledCanvas(const QSizeF& logicalSize, QWidget* parent = nullptr);

    // Keeps `w` (a child of this canvas) on `rect`, with a font of `fontSize` drawing units.
    void place(QWidget* w, const QRectF& rect, qreal fontSize = 14);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Drawing units to pixels at the current size.
    qreal scale() const;
    QRect toWidget(const QRectF& rect) const;

protected:
    // Paints in drawing units; the painter is already scaled and centred.
    virtual void paintScene(QPainter& p) = 0;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRectF rect;
        qreal fontSize;
    };
    void arrange(const Placed& p) const;
    QPointF origin() const;

    QSizeF m_logical;
    QList<Placed> m_placed;
};

// A shape of the drawing whose colour or visibility a window changes: slave markers,
// radiators, door leaves. The fill colour sits in the palette's window role, like the
// background of any other control.
class PlanShape : public QWidget {
    Q_OBJECT
public:
    enum class Form { Kreis, Heizkoerper, Tuerblatt };

    PlanShape(Form form, const QString& text, QWidget* parent);

    // Repaints only when the colour changes, so display ticks can call it freely.
    void setFillColor(const QColor& color);
    QColor fillColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form m_form;
    QString m_text;
};

} // namespace zelmar
