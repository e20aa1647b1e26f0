#include "StatusBar.h"

#include "core/drawing/Fonts.h"
#include "core/drawing/Colors.h"
#include "widgets/Accessibility.h"

#include <QPainter>

namespace {
constexpr int kPanelGap = 2;
constexpr int kTopMargin = 2;

void sunken(QPainter &p, const QRect &r)
{
    p.setPen(QColor(Colors::BtnShadow));
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(QColor(Colors::BtnHighlight));
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}
} // namespace

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StavovyRadek"));
    setFont(Fonts::times(13));
    setAttribute(Qt::WA_OpaquePaintEvent);
    Accessibility::setRole(this, QAccessible::StatusBar);
}

void StatusBar::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text.trimmed());   // a screen reader reads the hint shown
    update(0, 0, kFirstPanelWidth, height());
}

void StatusBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(Colors::BtnFace));
    const QRect first(0, kTopMargin, kFirstPanelWidth, height() - kTopMargin);
    const QRect second(kFirstPanelWidth + kPanelGap, kTopMargin, width() - kFirstPanelWidth - kPanelGap,
                       height() - kTopMargin);
    sunken(p, first);
    sunken(p, second);
    p.setPen(Qt::black);
    p.drawText(first.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}
