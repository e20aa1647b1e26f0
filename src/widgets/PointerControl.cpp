#include "PointerControl.h"

#include "Accessibility.h"

#include <QEnterEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>

PointerControl::PointerControl(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    Accessibility::install();
}

void PointerControl::activate()
{
    if (acceptsMouse())
        emit clicked();
}

void PointerControl::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool clicks = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!clicks || (event->modifiers() & ~Qt::KeypadModifier) || !acceptsMouse()) {
        QWidget::keyPressEvent(event);   // the window's own keys (Esc) go on to it
        return;
    }
    if (!event->isAutoRepeat())
        activate();
}

void PointerControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PointerControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void PointerControl::setControlEnabled(bool enabled)
{
    m_enabled = enabled;
    // A control that cannot act is no stop for the keyboard.
    setFocusPolicy(enabled ? Qt::TabFocus : Qt::NoFocus);
    m_hot = false;
    m_pressed = false;
    m_leftDown = false;
    repaint();
}

void PointerControl::pointerEntered()
{
    m_inside = true;
    if (!acceptsMouse())
        return;
    m_hot = true;
    hotChanged();
    emit mouseEntered();
}

void PointerControl::pointerLeft()
{
    m_inside = false;
    if (!acceptsMouse())
        return;
    m_hot = false;
    hotChanged();
    emit mouseLeft();
}

void PointerControl::enterEvent(QEnterEvent *)
{
    if (!m_inside)
        pointerEntered();
}

void PointerControl::leaveEvent(QEvent *)
{
    if (m_inside)
        pointerLeft();
}

void PointerControl::followHeldPointer(Qt::MouseButtons buttons, bool inside)
{
    if (buttons != Qt::NoButton && inside != m_inside) {
        if (inside)
            pointerEntered();
        else
            pointerLeft();
    }
}

void PointerControl::mousePressEvent(QMouseEvent *event)
{
    if (!acceptsMouse())
        return;
    m_leftDown = event->button() == Qt::LeftButton;
    m_hot = true;
    m_pressed = true;
    repaint();
    emit mousePressed(event->button(), event->position().toPoint());
}

void PointerControl::mouseMoveEvent(QMouseEvent *event)
{
    if (!acceptsMouse())
        return;
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    followHeldPointer(event->buttons(), inside);
    if (!m_hot && inside) {
        m_hot = true;
        repaint();
    }
    emit mouseMoved(pos);
}

void PointerControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (!acceptsMouse())
        return;
    const QPoint pos = event->position().toPoint();
    const bool click = m_leftDown && event->button() == Qt::LeftButton && rect().contains(pos);
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    if (click)
        emit clicked();
    m_pressed = false;
    repaint();
    emit mouseReleased(event->button(), pos);
}

void PointerControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!acceptsMouse())
        return;
    emit doubleClicked();
    mousePressEvent(event);
    m_leftDown = false;
}

void PointerControl::forgetPointer()
{
    m_hot = false;
    m_pressed = false;
    m_inside = false;
    m_leftDown = false;
    pointerForgotten();
}

void PointerControl::showEvent(QShowEvent *event)
{
    forgetPointer();
    QWidget::showEvent(event);
}

void PointerControl::hideEvent(QHideEvent *event)
{
    forgetPointer();
    QWidget::hideEvent(event);
}
