#include "GradText.h"

#include "Accessibility.h"

#include "core/drawing/Colors.h"
#include "core/drawing/Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr QSize kNewSize(75, 25);
constexpr int kDefaultFontPixels = 24;   // 18 points on the forms' 96 dpi
} // namespace

TGradText::TGradText(QWidget *parent)
    : QWidget(parent),
      m_begin(Colors::Yellow),
      m_end(Colors::Red),
      m_lines{QStringLiteral("GradText")}
{
    setFont(Fonts::times(kDefaultFontPixels, true, true));
    resize(kNewSize);
    // A reader reads the lettering as the words it paints.
    Accessibility::setRole(this, QAccessible::StaticText, true);
    setAccessibleName(m_lines.join(QLatin1Char(' ')));
}

void TGradText::setBeginColor(const QColor &color)
{
    m_begin = color;
    changed();
}

void TGradText::setEndColor(const QColor &color)
{
    m_end = color;
    changed();
}

void TGradText::setGradientStyle(TGradientStyle style)
{
    m_style = style;
    changed();
}

void TGradText::setLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    m_lines = lines;
    setAccessibleName(m_lines.join(QLatin1Char(' ')));
    changed();
}

void TGradText::setJustification(TJustification justification)
{
    m_justification = justification;
    changed();
}

QString TGradText::text() const
{
    // The lines stand one below the other; Qt breaks lines at '\n'.
    return m_lines.join(QLatin1Char('\n'));
}

int TGradText::textFlags() const
{
    const int horizontal = m_justification == jLeft ? Qt::AlignLeft
                         : m_justification == jRight ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
    return horizontal | Qt::AlignTop | Qt::TextWordWrap;
}

QSize TGradText::textSize() const
{
    const QFontMetrics metrics(font());
    const QRect measured = metrics.boundingRect(QRect(0, 0, width(), height()), textFlags(), text());
    return QSize(qMax(1, measured.width()), qMax(1, measured.height()));
}

void TGradText::fitToText()
{
    const QSize size = textSize();
    if (size != this->size())
        resize(size);
}

QImage TGradText::lettering() const
{
    const QSize size = textSize();
    const int w = size.width(), h = size.height();

    QImage gradient(size, QImage::Format_RGB32);
    {
        QPainter p(&gradient);
        const auto fills = GradientMath::gradientFills(static_cast<GradientMath::Style>(m_style), w, h,
                                                       m_begin.rgb(), m_end.rgb());
        for (const GradientMath::Fill &fill : fills)
            p.fillRect(fill.rect, QColor(fill.color));
    }

    // The mask is two-coloured: black letters on white, never smoothed.
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(Colors::White);
    {
        QPainter p(&mask);
        QFont f = font();
        f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoAntialias));
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, w, h), textFlags(), text());
    }

    // Gradient under the letters; a letter pixel that is exactly white
    // vanishes with the background, as white is the transparent colour.
    QImage result(size, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const QRgb *g = reinterpret_cast<const QRgb *>(gradient.constScanLine(y));
        const QRgb *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        QRgb *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool letter = qRgb(qRed(m[x]), qGreen(m[x]), qBlue(m[x])) == Colors::Black;
            const QRgb colour = g[x] | 0xFF000000u;
            out[x] = letter && colour != Colors::White ? colour : qRgba(0, 0, 0, 0);
        }
    }
    return result;
}

void TGradText::changed()
{
    m_painted = QImage();
    update();
}

// The lettering is made again only after a change of text, font, colours or
// size: the title panels repaint it at every step of their animation.
void TGradText::paintEvent(QPaintEvent *)
{
    if (m_painted.isNull()) {
        fitToText();
        m_painted = lettering();
    }
    QPainter p(this);
    p.drawImage(0, 0, m_painted);
}

void TGradText::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        changed();
    QWidget::changeEvent(event);
}

void TGradText::resizeEvent(QResizeEvent *event)
{
    m_painted = QImage();
    QWidget::resizeEvent(event);
}
