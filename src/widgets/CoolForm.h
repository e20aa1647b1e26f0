#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

#include <optional>

// A picture that fills its form and cuts the form to a stored region
// ("Mask2"): the form shows only the figure, and clicks beside it go to the
// windows below. Dragging the figure with the left button moves the whole
// window with the mouse, as if its caption bar had been grabbed; the move
// starts once the pointer has gone the platform's drag distance, so that
// clicks and double clicks stay clicks.
class TCoolForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Center READ isCenter WRITE setCenter)
    Q_PROPERTY(bool Draggable READ isDraggable WRITE setDraggable)
public:
    // Switches the form's border off and covers the whole form.
    explicit TCoolForm(QWidget *form);

    QImage picture() const { return m_picture; }
    // A new picture forgets the stored region; the window keeps its shape.
    void setPicture(const QImage &picture);
    bool isCenter() const { return m_center; }
    void setCenter(bool center);
    // Kept for the forms; dragging does not depend on it.
    bool isDraggable() const { return m_draggable; }
    void setDraggable(bool draggable) { m_draggable = draggable; }

    // Reads "Mask2" data and cuts the form to it. Data that cannot become a
    // region leaves the form rectangular and returns false.
    bool loadMask2(const QByteArray &data);
    // N and the current region's data, or N = 0 without a region.
    QByteArray mask2() const;
    std::optional<QRegion> region() const { return m_region; }

    // Where the picture's top left corner lies: centred by integer division
    // (a 107 x 105 picture in 104 x 104 lies at (-1, 0)), else at (0, 0).
    QPoint pictureOrigin() const;

signals:
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_center = false;
    bool m_draggable = true;
    std::optional<QRegion> m_region;
    bool m_dragging = false;
    bool m_armed = false;           // pressed, not yet moved far enough to drag
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;
};
