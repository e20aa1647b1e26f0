#pragma once

#include <QWidget>

// What the program's own clickable controls share: whether the pointer is
// over them (hot) and a button is held on them (pressed), the click that a
// left press and release inside make, and the signals that tell each step.
// A control whose window hides under the pointer gets no leave event:
// hidden or shown, it starts again not hot and not pressed, and lights up
// only when the pointer really comes over it. Tab brings the keyboard to it
// (a click does not), it then looks as under the pointer, and Space or
// Enter click it.
class PointerControl : public QWidget
{
    Q_OBJECT
public:
    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }
    // Lit: under the pointer or holding the keyboard focus; the look is the same.
    bool isLit() const { return m_hot || hasFocus(); }

    // What a screen reader calls it and how it is activated there: a click.
    virtual QString caption() const { return QString(); }
    virtual bool isLink() const { return false; }
    virtual void activate();

    // The control's own Enabled flag (not the widget's enabled state): off,
    // it ignores the mouse.
    bool isControlEnabled() const { return m_enabled; }
    void setControlEnabled(bool enabled);

signals:
    void clicked();
    void doubleClicked();
    void mouseEntered();
    void mouseLeft();
    void mousePressed(Qt::MouseButton button, const QPoint &pos);
    void mouseMoved(const QPoint &pos);
    void mouseReleased(Qt::MouseButton button, const QPoint &pos);

protected:
    explicit PointerControl(QWidget *parent);

    bool acceptsMouse() const { return m_enabled && isEnabled(); }
    // After the pointer came over the control or left it; repaints.
    virtual void hotChanged() { repaint(); }
    // After a show or hide forgot the pointer.
    virtual void pointerForgotten() {}

    // A press, move and release that light the control, click on a left
    // release inside and repaint at each step.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Tells the double click; the second press shows the pressed look but
    // its release is no click.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

    // A held button keeps the pointer's events here: leaving and coming
    // back are seen in the moves.
    void followHeldPointer(Qt::MouseButtons buttons, bool inside);

    bool m_hot = false;
    bool m_pressed = false;
    bool m_inside = false;      // the pointer is over the control (enter/leave seen)
    bool m_leftDown = false;    // the left button went down here: a release inside clicks

private:
    void pointerEntered();
    void pointerLeft();
    void forgetPointer();

    bool m_enabled = true;
};
