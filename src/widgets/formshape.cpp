#include "formshape.h"

#include "core/errors/AppError.h"

#include <QEvent>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

namespace {
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
    m_form->setMask(cache().region);
    m_form->update();
}

BalloonGeometry tformshape::geometry() const { return cache().geometry; }
QRegion tformshape::region() const { return cache().region; }

const tformshape::Cache &tformshape::cache() const
{
    if (m_cacheValid && m_cache.size == m_form->size())
        return m_cache;
    m_cache.size = m_form->size();
    m_cache.geometry = balloonGeometry(m_position, m_cache.size, m_ellips, m_indent);
    m_cache.region = balloonRegion(m_cache.geometry);
    m_cache.outlined = false;
    m_cacheValid = true;
    return m_cache;
}

// The outline's pixels are worked out when it is first painted: most
// balloons are made at start and shown much later, if ever.
const tformshape::Cache &tformshape::outlinedCache() const
{
    const Cache &c = cache();
    if (!c.outlined) {
        m_cache.fill = roundRectRegion(c.geometry.outline, m_ellips);
        m_cache.border = roundRectBorder(c.geometry.outline, m_ellips);
        m_cache.outlined = true;
    }
    return m_cache;
}

void tformshape::paint(QPainter &painter) const
{
    // The device drawn on, also where the form's painting is redirected.
    const QPaintDevice *device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : painter.device();
    if (!device || device->devicePixelRatio() <= 1) {
        paintPixels(painter);
        return;
    }
    // The window is cut to the region in whole pixels of the layout, also
    // where each is shown as several device pixels: the outline is drawn as
    // at ratio 1 and every one of its pixels filled out, so that it lies on
    // the cut edge all round, the tail included.
    QImage pixels(m_form->size(), QImage::Format_ARGB32_Premultiplied);
    pixels.fill(Qt::transparent);
    {
        QPainter onPixels(&pixels);
        paintPixels(onPixels);
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), pixels);
    painter.restore();
}

void tformshape::paintPixels(QPainter &painter) const
{
    const Cache &c = outlinedCache();
    const QColor formColor = m_form->palette().color(QPalette::Window);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The body outline is filled pixel by pixel so that it lies exactly on
    // the rounded edge of the region.
    for (const QRect &r : c.fill)
        painter.fillRect(r, formColor);
    for (const QRect &r : c.border)
        painter.fillRect(r, Qt::black);
    if (c.geometry.hasTail()) {
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(formColor);
        painter.drawPolygon(c.geometry.innerTail);
        // A flat cap leaves the line's last pixel as the window system's
        // line drawing does.
        QPen joint(formColor, 0);
        joint.setCapStyle(Qt::FlatCap);
        painter.setPen(joint);
        painter.drawLine(c.geometry.joint);
    }
    painter.restore();
}

bool tformshape::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form && m_applied && m_reshape) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(m_form);
            paint(painter);
        } else if (event->type() == QEvent::Resize) {
            refresh();
        }
    }
    return QObject::eventFilter(watched, event);
}
