#pragma once

#include <QProxyStyle>

// The platform's style, unchanged to the eye, but for the icons it draws on
// Qt's own extension buttons: those are made when first drawn. Every menu
// bar makes such a button, hidden until its menus no longer fit, and the
// style's icon for it is read from a file through every image format plugin.
class AppStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // key: the style to wrap, as QStyleFactory names it.
    explicit AppStyle(const QString &key);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
