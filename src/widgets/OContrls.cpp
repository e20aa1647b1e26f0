#include "OContrls.h"

#include "core/drawing/Colors.h"
#include "Panel.h"
#include "core/drawing/Pictures.h"
#include "core/drawing/Fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize kNewButtonSize(100, 25);
constexpr QSize kNewLabelSize(100, 17);
constexpr int kNewRoundSize = 20;
constexpr int kIndicatorLeft = 7;       // the button's light, and the caption's shift right
constexpr int kIndicatorSize = 11;
constexpr int kLabelTextGap = 5;        // between the label's light and its text
constexpr int kLabelFrameGap = 2;       // between the light and the pressed frame
const QColor kDisabledCaption(Colors::Gray);

// A rounded rectangle covering the pixels [l, r) x [t, b), corner ellipse
// roundSize x roundSize.
QPainterPath roundedArea(int l, int t, int r, int b, qreal roundSize)
{
    QPainterPath path;
    const qreal radius = qMax<qreal>(0, roundSize / 2.0);
    path.addRoundedRect(QRectF(l, t, r - l, b - t), radius, radius);
    return path;
}

// A one-pixel dotted rectangle over the pixels [l, r) x [t, b).
void dottedRect(QPainter &p, const QRect &pixels, const QColor &color)
{
    p.save();
    p.setPen(color);
    int n = 0;
    auto dot = [&](int x, int y) {
        if (n++ % 2 == 0)
            p.drawPoint(x, y);
    };
    for (int x = pixels.left(); x < pixels.right(); ++x)
        dot(x, pixels.top());
    for (int y = pixels.top(); y < pixels.bottom(); ++y)
        dot(pixels.right(), y);
    for (int x = pixels.right(); x > pixels.left(); --x)
        dot(x, pixels.bottom());
    for (int y = pixels.bottom(); y > pixels.top(); --y)
        dot(pixels.left(), y);
    p.restore();
}

} // namespace

QColor parentBackgroundColor(const QWidget *control)
{
    const QWidget *parent = control->parentWidget();
    if (const auto *panel = qobject_cast<const Panel *>(parent))
        return panel->color();
    if (parent)
        return parent->palette().color(parent->backgroundRole());
    return control->palette().color(QPalette::Window);
}

QImage indicatorPicture(const QString &name, QRgb transparent)
{
    // Images, not pixmaps: nothing in the cache needs the application at
    // its end.
    static QHash<QString, QImage> cache;
    const QString key = name + QLatin1Char('/') + QString::number(transparent, 16);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    QImage image = Pictures::image(QStringLiteral(":/art/led/%1.png").arg(name));
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == (transparent | 0xFF000000u))
                line[x] = qRgba(0, 0, 0, 0);
    }
    cache.insert(key, image);
    return image;
}

// ---------------------------------------------------------------- TOfficeButton

TOfficeButton::TOfficeButton(QWidget *parent)
    : PointerControl(parent),
      m_borderColor(Colors::Gray),
      m_buttonColor(Colors::Silver),
      m_caption(QStringLiteral("OfficeButton")),
      m_roundSize(kNewRoundSize)
{
    setFont(Fonts::sansSerif());
    resize(kNewButtonSize);
}

void TOfficeButton::setBorderColor(const QColor &color)
{
    m_borderColor = color;
    update();
}

void TOfficeButton::setBorderWidth(int width)
{
    m_borderWidth = qBound(1, width, 3);
    update();
}

void TOfficeButton::setButtonColor(const QColor &color)
{
    m_buttonColor = color;
    update();
}

void TOfficeButton::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TOfficeButton::setFontColor(const QColor &color)
{
    m_fontColor = color;
    update();
}

void TOfficeButton::setRoundSize(int size)
{
    m_roundSize = size;
    update();
}

void TOfficeButton::setTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

const TOfficeButton::Outline &TOfficeButton::outline() const
{
    const int W = width(), H = height(), BW = m_borderWidth, RS = m_roundSize;
    const bool lit = isLit();
    Outline &o = m_outlines[lit ? 1 : 0];
    if (o.size == size() && o.borderWidth == BW && o.roundSize == RS)
        return o;
    // Hot: the rounded rectangle (BW, BW, W - BW + 1, H - BW + 1) with a rim
    // BW + 1 wide; at rest (BW - 1, BW - 1, ...) with a rim BW wide. The rim
    // lies inside the pixels [l, r) x [t, b).
    const int l = lit ? BW : BW - 1, t = l, r = W - BW + 1, b = H - BW + 1;
    const int pen = lit ? BW + 1 : BW;
    o.size = size();
    o.borderWidth = BW;
    o.roundSize = RS;
    o.area = roundedArea(l, t, r, b, RS);
    o.rim = o.area.subtracted(roundedArea(l + pen, t + pen, r - pen, b - pen, RS - 2 * pen));
    return o;
}

void TOfficeButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int W = width(), H = height(), BW = m_borderWidth, RS = m_roundSize, d = pressOffset();
    const QColor brush = m_transparent ? parentBackgroundColor(this) : m_buttonColor;

    const Outline &shape = outline();
    p.fillPath(shape.area, brush);
    const bool lit = isLit();   // the keyboard's focus shows as the pointer does
    p.fillPath(shape.rim, lit ? m_borderColor : QColor(Colors::Silver));
    if (lit) // the highlight along the top, just inside the rim
        p.fillRect(QRect(RS / 2, BW + 2, (W - RS / 2) - RS / 2, 2), Qt::white);

    const QString light = m_hot && m_pressed ? QStringLiteral("DOWN")
                        : lit                ? QStringLiteral("ON")
                                             : QStringLiteral("OFF");
    p.drawImage(kIndicatorLeft + d, (H - kIndicatorSize) / 2 + d, indicatorPicture(light, Colors::White));

    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(m_caption);
    const int textHeight = metrics.height();
    p.setFont(font());
    p.setPen(isControlEnabled() ? m_fontColor : kDisabledCaption);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(brush);
    p.drawText(QRect((W - textWidth) / 2 + d + kIndicatorLeft, (H - textHeight) / 2 + d, textWidth, textHeight),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}

// ---------------------------------------------------------------- TOfficeLabel

TOfficeLabel::TOfficeLabel(QWidget *parent)
    : PointerControl(parent),
      m_caption(QStringLiteral("OfficeLabel")),
      m_labelColor(Colors::Silver),
      m_led(indicatorPicture(QStringLiteral("OFFRND"), Colors::Yellow))
{
    setFont(Fonts::sansSerif());
    resize(kNewLabelSize);
    // Connected first: the frame goes before any other receiver of the click.
    connect(this, &TOfficeLabel::clicked, this, [this] { m_erase = true; });
}

void TOfficeLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TOfficeLabel::setFontColor(const QColor &color)
{
    m_fontColor = color;
    update();
}

void TOfficeLabel::setLabelColor(const QColor &color)
{
    m_labelColor = color;
    update();
}

void TOfficeLabel::setLedType(TLEDType type)
{
    m_ledType = type;
    static const char *const offNames[] = {"OFFRND", "OFF3DWN", "OFF3UP"};
    m_led = indicatorPicture(QLatin1String(offNames[type]), Colors::Yellow);
    repaint();
}

void TOfficeLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

QString TOfficeLabel::ledName() const
{
    static const char *const suffixes[] = {"RND", "3DWN", "3UP"};
    const char *state = m_hot && m_pressed ? "DOWN" : isLit() ? "ON" : "OFF";
    return QLatin1String(state) + QLatin1String(suffixes[m_ledType]);
}

void TOfficeLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int W = width(), H = height();
    const QColor brush = m_transparent ? parentBackgroundColor(this) : m_labelColor;
    if (!m_transparent)
        p.fillRect(rect(), m_labelColor);

    p.drawImage(0, 0, indicatorPicture(ledName(), Colors::Yellow));

    const int w = qRound(m_led.deviceIndependentSize().width());
    const QRect textBox(QPoint(w + kLabelTextGap, 1), QPoint(W - 1, H - 2));
    p.save();
    p.setClipRect(textBox);
    p.setFont(font());
    p.setPen(isControlEnabled() ? m_fontColor : kDisabledCaption);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(brush);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_caption);
    p.restore();

    // Frame pixels [w + 2, W - 1) x [0, H - 1). Black dots combined by AND
    // with what lies below are simply black.
    const QRect frame(QPoint(w + kLabelFrameGap, 0), QPoint(W - 2, H - 2));
    if (m_hot && m_pressed) {
        dottedRect(p, frame, Qt::black);
    } else if (!m_hot && m_erase) {
        m_erase = false;
        dottedRect(p, frame, brush);
    }
}

void TOfficeLabel::hotChanged()
{
    if (!m_hot)
        m_erase = true;
    repaint();
}

void TOfficeLabel::pointerForgotten()
{
    m_erase = false;   // the frame is drawn only while hot and pressed: nothing to remove
}
