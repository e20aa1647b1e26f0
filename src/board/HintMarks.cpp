#include "HintMarks.h"

#include <QPainter>
#include <QPainterPath>

namespace {
// A white frame inside a black one: seen on the grey board and on every
// disk's colour, and drawn in logical pixels, so as sharp at any scale.
constexpr qreal kInner = 3;
constexpr qreal kOuter = 1.5;
constexpr int kGap = 3;          // between a thing and its frame
constexpr int kArrowHeight = 14;
constexpr int kArrowHalfWidth = 9;

void frame(QPainter &p, const QPainterPath &path)
{
    p.strokePath(path, QPen(Qt::black, kInner + 2 * kOuter, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(path, QPen(Qt::white, kInner, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QPainterPath roundedFrame(const QRect &r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(r.adjusted(-kGap, -kGap, kGap, kGap)), 6, 6);
    return path;
}
} // namespace

HintMarks::HintMarks(QWidget *board)
    : QWidget(board)
{
    setObjectName(QStringLiteral("HintMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void HintMarks::mark(const QRect &disk, const QRect &pole, const QRect &base)
{
    m_disk = disk;
    m_pole = pole;
    m_base = base;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
}

void HintMarks::clear()
{
    m_disk = m_pole = m_base = QRect();
    hide();
}

void HintMarks::paintEvent(QPaintEvent *)
{
    if (!isMarking())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    frame(p, roundedFrame(m_disk));
    // The target post: its base framed (a frame round the pole would cross
    // the disks on it), and an arrow pointing down at the pole's top.
    frame(p, roundedFrame(m_base));
    const qreal x = m_pole.center().x() + 0.5;
    const qreal tip = m_pole.top() - kGap - kInner - 2;
    QPainterPath arrow;
    arrow.moveTo(x, tip);
    arrow.lineTo(x - kArrowHalfWidth, tip - kArrowHeight);
    arrow.lineTo(x + kArrowHalfWidth, tip - kArrowHeight);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, kOuter * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}
