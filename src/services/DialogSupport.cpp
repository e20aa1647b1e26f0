#include "DialogSupport.h"

#include "core/drawing/Fonts.h"
#include "core/drawing/Colors.h"
#include "widgets/GradText.h"
#include "widgets/Accessibility.h"
#include "widgets/OContrls.h"
#include "widgets/Placed.h"
#include "core/drawing/Pictures.h"
#include "widgets/formshape.h"

#include <QLabel>

namespace DialogSupport {

tformshape *makeBalloon(QWidget *form, const QSize &size, TBalloonPosition position, const QString &hint)
{
    form->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    form->setFixedSize(size);
    form->setStatusTip(hint);
    Accessibility::setRole(form, QAccessible::Dialog);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, QColor(Colors::BalloonYellow));
    form->setPalette(palette);
    auto *shape = new tformshape(form);
    shape->setObjectName(QStringLiteral("tformshape1"));
    shape->setBalloonPosition(position);
    shape->setBalloonEllips(20);
    shape->setBalloonIndent(15);
    shape->setReshape(true);
    shape->apply();
    return shape;
}

QPixmap transparentPicture(const QString &resource)
{
    const QImage image = Pictures::image(resource);
    if (image.isNull())
        return QPixmap();
    return Pictures::transparent(resource, image.pixel(0, image.height() - 1));
}

QPixmap transparentPicture(const QString &resource, QRgb transparent)
{
    return Pictures::transparent(resource, transparent);
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry, const QFont &font,
              Qt::Alignment alignment, bool wordWrap)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    l->setAlignment(alignment);
    l->setWordWrap(wordWrap);
    l->setAttribute(Qt::WA_TranslucentBackground);
    if (geometry.size().isEmpty()) {
        l->move(geometry.topLeft());
        l->adjustSize();
    } else {
        l->setGeometry(geometry);
    }
    return l;
}

TGradText *titleLettering(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                          int pixelHeight)
{
    auto *t = new TGradText(parent);
    t->setObjectName(QLatin1String(name));
    t->setBeginColor(QColor(Colors::Red));
    t->setEndColor(QColor(Colors::Blue));
    t->setGradientStyle(TGradText::gsHorizontal);
    t->setFont(Fonts::times(pixelHeight, true, true));
    t->setGeometry(geometry);   // the words wrap at this width before the lettering shrinks to them
    t->setLines({text});
    return t;
}

TOfficeButton *officeButton(QWidget *parent, const char *name, const QString &caption, const QPoint &at,
                            const QFont &font, const QString &hint)
{
    auto *b = new TOfficeButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(QRect(at, QSize(64, 20)));
    b->setRoundSize(20);
    b->setCaption(caption);
    b->setFont(font);
    b->setStatusTip(hint);
    return b;
}

TOfficeLabel *officeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
                          const QFont &font, const QString &hint)
{
    auto *l = placed(new TOfficeLabel(parent), QLatin1String(name), geometry, hint);
    l->setCaption(caption);
    l->setFont(font);
    return l;
}

} // namespace DialogSupport
