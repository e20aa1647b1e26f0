#include "AppStyle.h"

#include "widgets/Pictures.h"

#include <QPointer>

AppStyle::AppStyle(const QString &key) : QProxyStyle(key) {}

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton && standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option lives only for this call; the icon depends on the layout
    // direction alone, which the widget, if it is still there, gives.
    const QPointer<const QStyle> style(baseStyle());
    const QPointer<const QWidget> owner(widget);
    return Pictures::lazyIcon(
        [style, owner, standardIcon] { return style ? style->standardIcon(standardIcon, nullptr, owner) : QIcon(); },
        [] { return false; });
}
