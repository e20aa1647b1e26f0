#include "AppStyle.h"

#include "core/drawing/Pictures.h"

#include <QPointer>
#include <QWidget>

AppStyle::AppStyle(const QString &key) : QProxyStyle(key) {}

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton && standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option lives only for this call: the icon is made without it, in
    // the application's layout direction, which is all it depends on.
    const QPointer<const QStyle> style(baseStyle());
    const QPointer<const QWidget> owner(widget);
    return Pictures::lazyIcon(
        [style, owner, standardIcon] { return style ? style->standardIcon(standardIcon, nullptr, owner) : QIcon(); },
        [] { return false; });
}
