#include "Shape.h"

#include <QMouseEvent>
#include <QPainter>

Shape::Shape(Kind kind, QWidget *parent)
    : QWidget(parent), m_kind(kind)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

Shape::Shape(Kind kind, const QColor &brush, QWidget *parent)
    : Shape(kind, parent)
{
    m_brush = brush;
}

void Shape::setBrushColor(const QColor &color)
{
    if (m_brush == color)
        return;
    m_brush = color;
    update();
    emit brushColorChanged();
}

void Shape::setPenColor(const QColor &color)
{
    if (m_pen == color)
        return;
    m_pen = color;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(m_pen);
    p.setBrush(m_brush);
    const int w = width();
    const int h = height();
    switch (m_kind) {
    case Rectangle:
        p.drawRect(0, 0, w - 1, h - 1);
        break;
    case RoundRect: {
        // Transparent corners show what lies behind.
        const qreal r = qMin(w, h) / 4 / 2.0;
        p.drawRoundedRect(QRectF(0, 0, w - 1, h - 1), r, r);
        break;
    }
    case Circle: {
        const int s = qMin(w, h);
        p.drawEllipse((w - s) / 2, (h - s) / 2, s - 1, s - 1);
        break;
    }
    }
}

void Shape::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button());
}
