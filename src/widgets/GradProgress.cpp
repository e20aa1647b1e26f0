#include "GradProgress.h"

#include "core/drawing/Colors.h"
#include "core/drawing/GradientMath.h"
#include "core/drawing/Fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

using GradientMath::mulDiv;

namespace {
constexpr QSize kNewSize(150, 16);
constexpr int kMaxBevelWidth = 10;
constexpr int kBevelFreeSpace = 4;      // pixels the bevel must leave of each side
constexpr int kPercentMargin = 6;       // vertical bar: wider text is turned on its side
} // namespace

TGradProgress::TGradProgress(QWidget *parent)
    : QWidget(parent),
      m_start(Colors::Blue),
      m_end(Colors::Red),
      m_back(Colors::BtnFace)
{
    setFont(Fonts::font(QStringLiteral("Default"), 11));
    resize(kNewSize);
}

void TGradProgress::setStyle(TStyle style)
{
    m_style = style;
    repaint();
}

void TGradProgress::setBevelStyle(TBevelStyleExt style)
{
    m_bevelStyle = style;
    repaint();
}

void TGradProgress::setBevelWidth(int width)
{
    if (width >= 1 && width <= kMaxBevelWidth
        && height() - kBevelFreeSpace >= 2 * width && this->width() - kBevelFreeSpace >= 2 * width)
        m_bevelWidth = width;
    repaint();
}

void TGradProgress::setStartColor(const QColor &color)
{
    m_start = color;
    repaint();
}

void TGradProgress::setEndColor(const QColor &color)
{
    m_end = color;
    repaint();
}

void TGradProgress::setBackColor(const QColor &color)
{
    m_back = color;
    repaint();
}

void TGradProgress::setPosition(int position)
{
    if (position == m_position || position < 0)
        return;
    m_position = qMin(position, m_maxValue);
    repaint();   // not update(): start-up runs no event loop between steps
}

void TGradProgress::setMaxValue(int maxValue)
{
    m_maxValue = maxValue;
    if (m_position > m_maxValue)
        m_position = qMax(0, m_maxValue);
    repaint();
}

void TGradProgress::setShowPercent(bool show)
{
    m_showPercent = show;
    repaint();
}

void TGradProgress::setFontColor(const QColor &color)
{
    m_fontColor = color;
    repaint();
}

void TGradProgress::Stepit()
{
    setPosition(m_position + m_step);
}

int TGradProgress::filledLength() const
{
    const int extent = m_style == gsHorizontal ? width() : height();
    return GradientMath::progressLength(m_position, extent, m_maxValue);
}

QRect TGradProgress::innerRect() const
{
    const int inset = m_bevelStyle == bsNone ? 1 : m_bevelWidth;
    return QRect(QPoint(inset, inset), QPoint(width() - inset - 1, height() - inset - 1));
}

void TGradProgress::paintEvent(QPaintEvent *)
{
    const int W = width(), H = height();
    if (W <= 0 || H <= 0)
        return;
    QPainter screen(this);

    if (m_bevelStyle != bsNone) {
        const QColor shadow(Colors::BtnShadow), light(Colors::BtnHighlight);
        const bool lowered = m_bevelStyle == bsLowered;
        GradientMath::drawFrame3D(screen, rect(), lowered ? shadow : light, lowered ? light : shadow, m_bevelWidth);
    }

    const QRect inner = innerRect();
    if (inner.isEmpty())
        return;
    // Off-screen picture as large as the inner rectangle's far edges.
    QImage bitmap(inner.right() + 1, inner.bottom() + 1, QImage::Format_RGB32);
    bitmap.fill(m_back);
    QPainter p(&bitmap);

    const bool horizontal = m_style == gsHorizontal;
    const int length = filledLength();
    const QRgb start = m_start.rgb(), end = m_end.rgb();
    if (length > 0) {
        for (int x = 0; x <= length; ++x) {
            const QColor colour(GradientMath::progressColor(start, end, x, length));
            if (horizontal)
                p.fillRect(QRect(x, inner.top(), 1, inner.height()), colour);
            else
                p.fillRect(QRect(inner.left(), qAbs(x - H), inner.width(), 1), colour);
        }
    }

    // The rest of the bar, including the column at the tip.
    if (horizontal)
        p.fillRect(QRect(QPoint(length, inner.top()), QPoint(W - 1, H - 1)), m_back);
    else
        p.fillRect(QRect(inner.topLeft(), QPoint(inner.right(), qAbs(length - H) - 1)), m_back);

    if (m_showPercent) {
        const int extent = horizontal ? W : H;
        const QString text = QString::number(GradientMath::percentOf(length, extent)) + QLatin1Char('%');
        p.setFont(font());
        p.setPen(m_fontColor);
        const QFontMetrics metrics(font());
        const int textWidth = metrics.horizontalAdvance(text);
        if (!horizontal && textWidth > W - 2 * m_bevelWidth - kPercentMargin) {
            // Turned to read downwards, standing in the middle of the bar.
            const int x = qRound((W + metrics.height() - 3) / 2.0);
            const int y = qRound((H - textWidth + 3) / 2.0);
            p.save();
            p.translate(x, y);
            p.rotate(90);
            p.drawText(QRect(0, 0, textWidth, metrics.height()), Qt::AlignLeft | Qt::AlignTop, text);
            p.restore();
        } else {
            p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, text);
        }
    }
    p.end();

    screen.drawImage(inner.topLeft(), bitmap, inner);
}
