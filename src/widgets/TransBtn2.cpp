#include "TransBtn2.h"

#include "core/drawing/Colors.h"
#include "core/drawing/GradientMath.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace {

constexpr QSize kNewSize(40, 40);
const QColor kFace(Colors::BtnFace);
const QColor kHighlight(Colors::BtnHighlight);
const QColor kShadow(Colors::BtnShadow);
const QColor kDarkShadow(Colors::DkShadow);
const QColor kBlack(Colors::Black);

bool opaque(QRgb pixel) { return qAlpha(pixel) >= 128; }
QRgb rgbOf(QRgb pixel) { return pixel | 0xFF000000u; }

// Pixels of the colour of the bottom-left pixel become transparent, as an
// image list does with its masked pictures.
QImage maskedByBottomLeft(QImage image)
{
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    if (!opaque(key))
        return image;
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (opaque(line[x]) && rgbOf(line[x]) == rgbOf(key))
                line[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

void frame(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight, int width = 1)
{
    GradientMath::drawFrame3D(p, r, topLeft, bottomRight, width);
}

void outline(QPainter &p, const QRect &r, const QColor &color)
{
    frame(p, r, color, color);
}

} // namespace

// ---------------------------------------------------------------- ImageList

ImageList::ImageList(QSize size, QObject *parent)
    : QObject(parent), m_size(size)
{
}

QImage ImageList::image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QImage();
}

QImage ImageList::fitted(const QImage &image) const
{
    // A finer picture (device pixel ratio 2) of the list's size stays fine.
    QImage converted = image.convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = image.devicePixelRatio();
    if (converted.deviceIndependentSize() != QSizeF(m_size)) {
        converted = converted.scaled(m_size * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        converted.setDevicePixelRatio(ratio);
    }
    return converted;
}

int ImageList::add(const QImage &image)
{
    m_images.append(fitted(image));
    emit changed();
    return int(m_images.size()) - 1;
}

int ImageList::addMasked(const QImage &image, QRgb transparent)
{
    QImage masked = fitted(image);
    for (int y = 0; y < masked.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if (rgbOf(line[x]) == rgbOf(transparent))
                line[x] = qRgba(0, 0, 0, 0);
    }
    return add(masked);
}

void ImageList::replace(int index, const QImage &image)
{
    if (index < 0 || index >= m_images.size())
        return;
    m_images[index] = fitted(image);
    emit changed();
}

void ImageList::clear()
{
    m_images.clear();
    emit changed();
}

// ---------------------------------------------------------------- TTransparentButton2

TTransparentButton2::TTransparentButton2(QWidget *parent)
    : PointerControl(parent), m_color(Colors::White)
{
    setMouseTracking(false);   // moves are seen only while a button is held
    resize(kNewSize);
}

QImage TTransparentButton2::embossedPicture(const QImage &active)
{
    if (active.isNull())
        return QImage();
    const QImage source = active.convertToFormat(QImage::Format_ARGB32);
    const int w = source.width(), h = source.height();
    const QRgb corner = source.pixel(0, 0);
    // The highlight lies one pixel of the layout below and right of the ink.
    const int step = qMax(1, qRound(source.devicePixelRatio()));
    // White, the corner's colour and see-through pixels are background;
    // everything else is ink.
    auto ink = [&](int x, int y) {
        const QRgb pixel = source.pixel(x, y);
        if (!opaque(pixel) || rgbOf(pixel) == Colors::White)
            return false;
        return !(opaque(corner) && rgbOf(pixel) == rgbOf(corner));
    };
    QImage result(w, h, QImage::Format_ARGB32);
    result.setDevicePixelRatio(source.devicePixelRatio());
    result.fill(kFace);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ink(x, y) && x + step < w && y + step < h)
                result.setPixel(x + step, y + step, kHighlight.rgb());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ink(x, y))
                result.setPixel(x, y, kShadow.rgb());
    return maskedByBottomLeft(result);
}

QImage TTransparentButton2::greyPicture(const QImage &active)
{
    if (active.isNull())
        return QImage();
    QImage result = active.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int level = GradientMath::greyLevel(line[x]);
            line[x] = qRgba(level, level, level, opaque(line[x]) ? 255 : 0);
        }
    }
    return maskedByBottomLeft(result);
}

void TTransparentButton2::watch(ImageList *list)
{
    if (!list)
        return;
    connect(list, &ImageList::changed, this, &TTransparentButton2::rebuildPictures, Qt::UniqueConnection);
    connect(list, &QObject::destroyed, this, &TTransparentButton2::forgetList, Qt::UniqueConnection);
}

void TTransparentButton2::forgetList(QObject *gone)
{
    // A list being destroyed is no longer readable: forget it before rebuilding.
    for (QPointer<ImageList> *member : {&m_active, &m_down, &m_gray, &m_disabled})
        if (static_cast<QObject *>(member->data()) == gone)
            *member = nullptr;
    rebuildPictures();
}

void TTransparentButton2::setActiveImage(ImageList *list) { m_active = list; watch(list); rebuildPictures(); }
void TTransparentButton2::setActiveIndex(int index) { m_activeIndex = index; rebuildPictures(); }
void TTransparentButton2::setDownImage(ImageList *list) { m_down = list; watch(list); rebuildPictures(); }
void TTransparentButton2::setDownIndex(int index) { m_downIndex = index; rebuildPictures(); }
void TTransparentButton2::setGrayImage(ImageList *list) { m_gray = list; watch(list); rebuildPictures(); }
void TTransparentButton2::setGrayIndex(int index) { m_grayIndex = index; rebuildPictures(); }
void TTransparentButton2::setDisabledImage(ImageList *list) { m_disabled = list; watch(list); rebuildPictures(); }
void TTransparentButton2::setDisabledIndex(int index) { m_disabledIndex = index; rebuildPictures(); }

void TTransparentButton2::rebuildPictures()
{
    m_picturesStale = true;
    update();
}

const QList<QImage> &TTransparentButton2::pictures() const
{
    if (!m_picturesStale)
        return m_pictures;
    m_picturesStale = false;
    m_pictures.clear();
    const QImage active = m_active ? m_active->image(m_activeIndex) : QImage();
    if (active.isNull())
        return m_pictures;
    // The other pictures at the active one's size and pixel ratio.
    const qreal ratio = active.devicePixelRatio();
    const QSize size = m_active->size() * ratio;
    auto given = [&](const QPointer<ImageList> &list, int index) {
        const QImage image = list ? list->image(index) : QImage();
        if (image.isNull())
            return QImage();
        QImage fitted = image.convertToFormat(QImage::Format_ARGB32);
        if (fitted.size() != size)
            fitted = fitted.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        fitted.setDevicePixelRatio(ratio);
        return fitted;
    };
    const QImage disabled = given(m_disabled, m_disabledIndex);
    const QImage down = given(m_down, m_downIndex);
    const QImage grey = given(m_gray, m_grayIndex);
    m_pictures = {active,
                  disabled.isNull() ? embossedPicture(active) : disabled,
                  down.isNull() ? active : down,
                  grey.isNull() ? greyPicture(active) : grey};
    return m_pictures;
}

QImage TTransparentButton2::picture(Picture which) const
{
    return pictures().isEmpty() ? QImage() : pictures().at(which);
}

TTransparentButton2::Picture TTransparentButton2::currentPicture() const
{
    if (!isEnabled())
        return DisabledPicture;
    if (m_pressed)
        return DownPicture;
    if (m_frameStyle == fsExplorer && m_autoGray && !isLit())
        return GrayPicture;
    return ActivePicture;
}

QPoint TTransparentButton2::picturePosition() const
{
    const QSize size = m_active && !pictures().isEmpty() ? m_active->size() : QSize(0, 0);
    const int W = width(), H = height(), w = size.width(), h = size.height(), s = m_spacing;
    int x = (W - w) / 2;
    if (m_textAlign == ttaLeft)
        x = W - w - s;
    else if (m_textAlign == ttaRight)
        x = s;
    int y;
    switch (m_textAlign) {
    case ttaBottomRight:
    case ttaBottom:
    case ttaBottomLeft:
        y = s;
        break;
    case ttaRight:
    case ttaLeft:
    case ttaCenter:
        y = (H - h) / 2;
        break;
    default:
        y = H - h - s;
        break;
    }
    if (m_pressed && m_showPressed)
        return QPoint(x + 1, y + 1);
    return QPoint(x, y);
}

void TTransparentButton2::setAutoGray(bool autoGray) { m_autoGray = autoGray; update(); }
void TTransparentButton2::setFrameStyle(TFrameStyle style) { m_frameStyle = style; update(); }
void TTransparentButton2::setTransparent(bool transparent) { m_transparent = transparent; update(); }
void TTransparentButton2::setBorderWidth(int width) { m_borderWidth = qMax(0, width); update(); }
void TTransparentButton2::setShowPressed(bool show) { m_showPressed = show; update(); }
void TTransparentButton2::setHiFont(const QFont &font) { m_hiFont = font; m_hiFontSet = true; update(); }
void TTransparentButton2::setFontColor(const QColor &color) { m_fontColor = color; update(); }
void TTransparentButton2::setHiFontColor(const QColor &color) { m_hiFontColor = color; update(); }
void TTransparentButton2::setTextAlign(TTextAlign align) { m_textAlign = align; update(); }
void TTransparentButton2::setSpacing(int spacing) { m_spacing = spacing; update(); }
void TTransparentButton2::setWordWrap(bool wrap) { m_wordWrap = wrap; update(); }
void TTransparentButton2::setColor(const QColor &color) { m_color = color; update(); }
void TTransparentButton2::setPopUpMenu(QMenu *menu) { m_popUpMenu = menu; }

void TTransparentButton2::setDown(bool down)
{
    m_downLatched = down;
    m_pressed = down;
    repaint();
}

void TTransparentButton2::setCaption(const QString &caption)
{
    m_caption = caption;
    updateAccelerator();
    update();
}

void TTransparentButton2::updateAccelerator()
{
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (!key.isEmpty())
        m_shortcutId = grabShortcut(key);
}

void TTransparentButton2::click()
{
    emitClicked();
}

void TTransparentButton2::activate()
{
    if (isEnabled())
        click();
}

void TTransparentButton2::emitClicked()
{
    try {
        emit clicked();
    } catch (...) {
        // A failing handler leaves no stuck pressed or tracking state behind.
        m_tracking = m_pressed = m_hot = false;
        update();
        throw;
    }
}

bool TTransparentButton2::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->shortcutId() == m_shortcutId && m_shortcutId != 0) {
            if (isEnabled())
                click();
            return true;
        }
    }
    return QWidget::event(event);
}

void TTransparentButton2::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            m_tracking = m_pressed = m_hot = false;
        repaint();
    }
    QWidget::changeEvent(event);
}

void TTransparentButton2::paintFrame(QPainter &p)
{
    const QRect full = rect();
    const QRect inner = full.adjusted(1, 1, -1, -1);
    const bool pressedLook = m_pressed && m_showPressed;
    switch (m_frameStyle) {
    case fsExplorer:
        if (m_pressed && (m_hot || m_downLatched)) {
            if (m_showPressed)
                frame(p, full, kShadow, kHighlight, m_borderWidth);
            else
                frame(p, full, kHighlight, kShadow, m_borderWidth);
        } else if (isLit()) {
            frame(p, full, kHighlight, kShadow, m_borderWidth);
        }
        break;
    case fsNone:
        break;
    case fsRegular:
        if (pressedLook) {
            frame(p, full, kBlack, kHighlight);
            frame(p, inner, kShadow, kFace);
        } else {
            outline(p, QRect(QPoint(1, 1), full.bottomRight()), kBlack);
            frame(p, full.adjusted(0, 0, -1, -1), kHighlight, kBlack);
            frame(p, inner.adjusted(0, 0, -1, -1), kFace, kShadow);
        }
        break;
    case fsIndent:
        if (pressedLook) {
            frame(p, full, kBlack, kHighlight);
            frame(p, inner, kShadow, kFace);
        } else {
            outline(p, full.adjusted(0, 0, -1, -1), kShadow);
            outline(p, full.adjusted(1, 1, 0, 0), kHighlight);
            frame(p, full.adjusted(2, 2, -2, -2), kShadow, kHighlight);
        }
        break;
    case fsLight:
        frame(p, full, pressedLook ? kShadow : kHighlight, pressedLook ? kHighlight : kShadow);
        break;
    case fsDark:
        frame(p, full, pressedLook ? kDarkShadow : kFace, pressedLook ? kFace : kDarkShadow);
        break;
    case fsMono:
        frame(p, full, pressedLook ? kDarkShadow : kHighlight, pressedLook ? kHighlight : kDarkShadow);
        break;
    }
}

void TTransparentButton2::paintCaption(QPainter &p)
{
    const QFont captionFont = isLit() ? hiFont() : font();
    const QFontMetrics metrics(captionFont);
    const int W = width(), H = height(), s = m_spacing;
    const int flags = Qt::TextShowMnemonic | (m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QSize text = metrics.boundingRect(QRect(0, 0, W, H), flags, m_caption).size();

    const QSize pictureSize = pictures().isEmpty() ? QSize(0, 0) : m_active->size();
    QPoint picture = picturePosition();
    if (m_pressed && m_showPressed)
        picture -= QPoint(1, 1);

    int x = (W - text.width()) / 2;
    int y = (H - text.height()) / 2;
    switch (m_textAlign) {
    case ttaTopLeft: x = s; y = picture.y() - s - text.height(); break;
    case ttaTop: y = picture.y() - s - text.height(); break;
    case ttaTopRight: x = W - text.width() - s; y = picture.y() - s - text.height(); break;
    case ttaRight: x = W - text.width() - s; break;
    case ttaBottomRight: x = W - text.width() - s; y = picture.y() + pictureSize.height() + s; break;
    case ttaBottom: y = picture.y() + pictureSize.height() + s; break;
    case ttaBottomLeft: x = s; y = picture.y() + pictureSize.height() + s; break;
    case ttaLeft: x = s; break;
    case ttaCenter: break;
    }
    QRect box(QPoint(x, y), text);
    if (m_pressed && m_showPressed)
        box.translate(1, 1);

    p.setFont(captionFont);
    const int drawFlags = flags | Qt::AlignCenter;
    if (!isEnabled()) {
        p.setPen(kHighlight);
        p.drawText(box.translated(1, 1), drawFlags, m_caption);
        p.setPen(kShadow);
        p.drawText(box, drawFlags, m_caption);
    } else {
        p.setPen(isLit() ? m_hiFontColor : m_fontColor);
        p.drawText(box, drawFlags, m_caption);
    }
}

void TTransparentButton2::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), m_color);
    paintFrame(p);
    if (!pictures().isEmpty())
        p.drawImage(picturePosition(), pictures().at(currentPicture()));
    if (!m_caption.isEmpty())
        paintCaption(p);
}

void TTransparentButton2::hotChanged()
{
    if (m_frameStyle == fsExplorer)
        repaint();
}

void TTransparentButton2::pointerForgotten()
{
    m_tracking = false;
    m_pressed = m_downLatched;
}

void TTransparentButton2::mousePressEvent(QMouseEvent *event)
{
    if (!isEnabled() || m_tracking)
        return;
    const QPoint pos = event->position().toPoint();
    m_tracking = true;
    m_leftDown = event->button() == Qt::LeftButton;
    emit mousePressed(event->button(), pos);
    if (rect().contains(pos)) {
        m_pressed = true;
        repaint();
    }
    if (m_popUpMenu) {
        m_popUpMenu->exec(mapToGlobal(QPoint(0, height())));
        // The menu took the rest of this press: no click follows it.
        m_leftDown = false;
        releaseTracking(event->button(), pos);
    }
}

void TTransparentButton2::mouseMoveEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    emit mouseMoved(pos);
    followHeldPointer(event->buttons(), inside);
    if (m_tracking && inside != m_pressed) {
        m_pressed = inside;
        repaint();
    }
}

void TTransparentButton2::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled() || !m_tracking)
        return;
    const QPoint pos = event->position().toPoint();
    if (m_leftDown && event->button() == Qt::LeftButton && rect().contains(pos)) {
        m_leftDown = false;
        emitClicked();
    }
    releaseTracking(event->button(), pos);
}

// A double click is a second press and release.
void TTransparentButton2::mouseDoubleClickEvent(QMouseEvent *event) { QWidget::mouseDoubleClickEvent(event); }

void TTransparentButton2::releaseTracking(Qt::MouseButton button, const QPoint &pos)
{
    m_tracking = false;
    m_leftDown = false;
    if (m_downLatched)
        return;
    emit mouseReleased(button, pos);
    m_pressed = false;
    repaint();
}
