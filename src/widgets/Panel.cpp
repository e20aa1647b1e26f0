#include "Panel.h"

#include "core/drawing/Colors.h"

#include <QMouseEvent>
#include <QPainter>

Panel::Panel(QWidget *parent, Bevel bevel, const QColor &color)
    : QWidget(parent), m_bevel(bevel), m_color(color)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::setBevel(Bevel bevel)
{
    m_bevel = bevel;
    update();
}

void Panel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void Panel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_color);
    if (m_bevel == NoBevel)
        return;
    const QColor light = QColor(Colors::BtnHighlight);
    const QColor dark = QColor(Colors::BtnShadow);
    const QColor topLeft = m_bevel == Raised ? light : dark;
    const QColor bottomRight = m_bevel == Raised ? dark : light;
    const int r = width() - 1;
    const int b = height() - 1;
    p.setPen(topLeft);
    p.drawLine(0, 0, r - 1, 0);
    p.drawLine(0, 0, 0, b - 1);
    p.setPen(bottomRight);
    p.drawLine(0, b, r, b);
    p.drawLine(r, 0, r, b);
}

void Panel::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button());
    QWidget::mouseReleaseEvent(event);
}

BevelLine::BevelLine(QWidget *parent)
    : QWidget(parent)
{
}

void BevelLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QColor(Colors::BtnShadow));
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(QColor(Colors::BtnHighlight));
    p.drawLine(0, 1, width() - 1, 1);
}
