#include "formshape.h"

#include "WindowMask.h"

#include "core/errors/AppError.h"

#include <QBitmap>
#include <QEvent>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {
// The region without its pixels beside one outside (four-neighbourhood).
QRegion inward(const QRegion &region)
{
    return region & region.translated(1, 0) & region.translated(-1, 0) & region.translated(0, 1)
        & region.translated(0, -1);
}

QWidget *checkedForm(QObject *owner)
{
    auto *form = qobject_cast<QWidget *>(owner);
    if (!form || !form->isWindow())
        throw AppError(tformshape::tr("Control parent must be a form!"));
    return form;
}
} // namespace

tformshape::tformshape(QObject *owner)
    : QObject(checkedForm(owner)), m_form(static_cast<QWidget *>(owner))
{
    setObjectName(QStringLiteral("tformshape1"));
}

void tformshape::setReshape(bool reshape)
{
    m_reshape = reshape;
    if (m_applied)
        refresh();
}

void tformshape::setBalloonPosition(TBalloonPosition position)
{
    m_position = position;
    m_cacheValid = false;
    if (m_applied)
        refresh();
}

void tformshape::setBalloonEllips(int ellips)
{
    if (ellips <= 0)
        return;
    m_ellips = ellips;
    m_cacheValid = false;
    if (m_applied)
        refresh();
}

void tformshape::setBalloonIndent(int indent)
{
    if (indent <= 0)
        return;
    m_indent = indent;
    m_cacheValid = false;
    if (m_applied)
        refresh();
}

void tformshape::apply()
{
    if (!m_reshape || m_applied)
        return;
    m_applied = true;
    const bool wasVisible = m_form->isVisible();
    m_form->setWindowFlag(Qt::FramelessWindowHint, true);
    m_form->installEventFilter(this);
    refresh();
    // Changing the window's flags hides it.
    if (wasVisible)
        m_form->show();
}

void tformshape::refresh()
{
    if (!m_reshape) {
        m_form->clearMask();
        m_form->update();
        return;
    }
    m_form->setMask(region());
    cutNatively();
    m_form->update();
}

// Qt sets its own mask when it makes the native window, before the window
// shows: the finer cut is made again then.
void tformshape::cutNatively()
{
    if (const int ratio = windowRatio(); ratio > 1)
        WindowMask::setDeviceRegion(m_form, pixels(ratio).shape);
}

int tformshape::windowRatio() const { return std::max(1, qRound(m_form->devicePixelRatioF())); }

BalloonGeometry tformshape::geometry() const { return cache().geometry; }

QRegion tformshape::region() const
{
    const int ratio = windowRatio();
    const QRegion &shape = pixels(ratio).shape;
    if (ratio == 1)
        return shape;
    QRegion cover;
    for (const QRect &r : shape)
        cover += QRect(QPoint(r.left() / ratio, r.top() / ratio),
                       QPoint((r.left() + r.width() + ratio - 1) / ratio - 1,
                              (r.top() + r.height() + ratio - 1) / ratio - 1));
    return cover;
}

QRegion tformshape::deviceRegion(int ratio) const { return pixels(std::max(1, ratio)).shape; }

const tformshape::Cache &tformshape::cache() const
{
    if (m_cacheValid && m_cache.size == m_form->size())
        return m_cache;
    m_cache.size = m_form->size();
    m_cache.geometry = balloonGeometry(m_position, m_cache.size, m_ellips, m_indent);
    m_cache.pixels[0] = m_cache.pixels[1] = Pixels();
    m_cacheValid = true;
    return m_cache;
}

// Worked out when first needed: most balloons are made at start and shown
// much later, if ever.
const tformshape::Pixels &tformshape::pixels(int ratio) const
{
    const Cache &c = cache();
    for (const Pixels &p : c.pixels)
        if (p.ratio == ratio)
            return p;
    Pixels &slot = m_cache.pixels[c.pixels[0].ratio == 0 ? 0 : 1];
    slot = ratio == 1 ? windowSystemPixels() : scaledPixels(ratio);
    return slot;
}

// At the form's own pixels the outline is drawn as the window system draws
// it (the tail a polygon), and the cut takes the pixels so painted.
tformshape::Pixels tformshape::windowSystemPixels() const
{
    const BalloonGeometry &g = cache().geometry;
    Pixels p;
    p.ratio = 1;
    p.fill = roundRectRegion(g.outline, m_ellips);
    p.border = roundRectBorder(g.outline, m_ellips);
    QImage painted(g.size, QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::transparent);
    {
        QPainter onImage(&painted);
        paintWindowSystem(onImage, p);
    }
    p.shape = QRegion(QBitmap::fromImage(painted.createAlphaMask()));
    p.edge = p.shape - inward(p.shape);
    return p;
}

// In device pixels the body and the tail are one shape, outlined as wide as
// one of the form's pixels: its pixels fewer than ratio steps from outside.
// Where the tail joins the body the shape goes on, and so the outline opens.
tformshape::Pixels tformshape::scaledPixels(int ratio) const
{
    const BalloonGeometry g = balloonGeometry(m_position, cache().size * ratio, m_ellips * ratio, m_indent * ratio);
    Pixels p;
    p.ratio = ratio;
    p.shape = roundRectRegion(g.outline, g.ellipse);
    if (g.hasTail())
        p.shape += QRegion(g.innerTail, Qt::WindingFill);
    p.fill = p.shape;
    for (int step = 0; step < ratio; ++step)
        p.fill = inward(p.fill);
    p.border = p.shape - p.fill;
    return p;
}

void tformshape::paint(QPainter &painter) const
{
    // The device drawn on, also where the form's painting is redirected.
    const QPaintDevice *device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : painter.device();
    const int ratio = device ? std::max(1, qRound(device->devicePixelRatioF())) : 1;
    const Pixels &p = pixels(ratio);
    if (ratio == 1) {
        paintWindowSystem(painter, p);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const QColor formColor = m_form->palette().color(QPalette::Window);
    for (const QRect &r : p.fill)
        painter.fillRect(r, formColor);
    for (const QRect &r : p.border)
        painter.fillRect(r, Qt::black);
    painter.restore();
}

void tformshape::paintWindowSystem(QPainter &painter, const Pixels &p) const
{
    const BalloonGeometry &g = cache().geometry;
    const QColor formColor = m_form->palette().color(QPalette::Window);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The body outline is filled pixel by pixel so that it lies exactly on
    // the rounded edge.
    for (const QRect &r : p.fill)
        painter.fillRect(r, formColor);
    for (const QRect &r : p.border)
        painter.fillRect(r, Qt::black);
    if (g.hasTail()) {
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(formColor);
        painter.drawPolygon(g.innerTail);
        // A flat cap leaves the line's last pixel as the window system's
        // line drawing does.
        QPen joint(formColor, 0);
        joint.setCapStyle(Qt::FlatCap);
        painter.setPen(joint);
        painter.drawLine(g.joint);
    }
    // The joint opens the outline up to the tail's sides, not through them.
    for (const QRect &r : p.edge)
        painter.fillRect(r, Qt::black);
    painter.restore();
}

bool tformshape::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form && m_applied && m_reshape) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(m_form);
            paint(painter);
        } else if (event->type() == QEvent::Resize || event->type() == QEvent::ScreenChangeInternal) {
            refresh();
        } else if (event->type() == QEvent::Show) {
            cutNatively();
        }
    }
    return QObject::eventFilter(watched, event);
}
