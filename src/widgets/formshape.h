#pragma once

#include "core/drawing/BalloonGeometry.h"

#include <QObject>
#include <QRegion>
#include <QSize>

class QPainter;
class QWidget;

// Makes its form a speech balloon: a rounded body with a triangular tail
// pointing at the assistant, cut out with setMask() so that clicks beside it
// reach the windows below, and outlined in black. The cut follows the
// painted balloon pixel for pixel, so the outline is its edge all round; at
// a scale above 1 both are made in device pixels where the window system
// cuts in them (WindowMask).
//
// A balloon dialog creates one as a child of itself, sets its properties and
// calls apply() at the end of its constructor. The outline is painted by an
// event filter on the form's paint event, so it lies over the form's
// background and under everything the form and its controls paint
// themselves; the form's own paintEvent() must not fill the whole window.
class tformshape : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Reshape READ reshape WRITE setReshape)
    Q_PROPERTY(int BalloonEllips READ balloonEllips WRITE setBalloonEllips)
    Q_PROPERTY(int BalloonIndent READ balloonIndent WRITE setBalloonIndent)
public:
    static constexpr int kDefaultEllips = 20;
    static constexpr int kDefaultIndent = 15;

    // Throws AppError "Control parent must be a form!" unless owner is a
    // top-level window.
    explicit tformshape(QObject *owner);

    bool reshape() const { return m_reshape; }
    void setReshape(bool reshape);
    TBalloonPosition balloonPosition() const { return m_position; }
    void setBalloonPosition(TBalloonPosition position);
    // Values <= 0 are ignored: the previous value stays.
    int balloonEllips() const { return m_ellips; }
    void setBalloonEllips(int ellips);
    int balloonIndent() const { return m_indent; }
    void setBalloonIndent(int indent);

    // What the form does once it is built: with Reshape on, switches the
    // border off, cuts the form to the balloon and paints its outline from
    // now on. With Reshape off the form stays an ordinary window.
    void apply();
    bool isApplied() const { return m_applied; }

    // For the form's present size.
    BalloonGeometry geometry() const;
    // The cut in the form's pixels: at a scale above 1, every pixel that
    // holds a device pixel of deviceRegion().
    QRegion region() const;
    // The cut and the painted pixels at the given scale, in device pixels.
    QRegion deviceRegion(int ratio) const;
    // The balloon's body and tail in the form's colour with their outline.
    void paint(QPainter &painter) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The painted pixels at one scale, in device pixels.
    struct Pixels
    {
        int ratio = 0;
        QRegion shape;
        QRegion fill;
        QRegion border;
        QRegion edge;   // the shape's pixels beside one outside
    };
    struct Cache
    {
        QSize size;
        BalloonGeometry geometry;
        Pixels pixels[2];   // the last two scales asked for
    };
    const Cache &cache() const;
    const Pixels &pixels(int ratio) const;
    Pixels windowSystemPixels() const;
    Pixels scaledPixels(int ratio) const;
    void paintWindowSystem(QPainter &painter, const Pixels &p) const;
    int windowRatio() const;
    void refresh();
    void cutNatively();

    QWidget *m_form;
    bool m_reshape = false;
    TBalloonPosition m_position = bpTopLeft;
    int m_ellips = kDefaultEllips;
    int m_indent = kDefaultIndent;
    bool m_applied = false;
    mutable Cache m_cache;
    mutable bool m_cacheValid = false;
};
