#include "IdlePicture.h"

#include "services/DialogSupport.h"
#include "core/drawing/Fonts.h"
#include "services/Pacing.h"
#include "core/board/BoardRules.h"
#include "core/drawing/Colors.h"
#include "widgets/Panel.h"
#include "widgets/Placed.h"
#include "widgets/Shape.h"
#include "widgets/TextLabel.h"
#include "widgets/Accessibility.h"

namespace {
constexpr int kIdleStartTop = 12;      // behind the toolbar: where the opening animation starts
constexpr int kTitleTop = 50;
constexpr int kTitleStartTop = -26;

// The three posts, in client coordinates.
struct IdlePost {
    const char *bar, *base, *box, *label, *disks;
    int barLeft, barTop, barHeight, baseLeft, boxLeft, firstLeft, firstTop, diskCount;
};
constexpr IdlePost kIdlePosts[3] = {
    {"Shape16", "Shape17", "Shape28", "Label5", "DI", 97, 74, 193, 15, 67, 83, 87, 10},
    {"Shape18", "Shape19", "Shape33", "Label13", "DA", 281, 112, 155, 199, 251, 267, 123, 8},
    {"Shape34", "Shape35", "Shape46", "Label14", "DB", 465, 74, 193, 383, 435, 451, 87, 10},
};

} // namespace

IdlePicture::IdlePicture(QWidget *parent, const QString &caption)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("IdlePicture"));
    setGeometry(parent->rect());
    // One picture to a screen reader.
    Accessibility::setRole(this, QAccessible::Graphic, true);
    setAccessibleName(caption);
    for (int post = 1; post <= 3; ++post) {
        const IdlePost &p = kIdlePosts[post - 1];
        const QString n = QString::number(post);
        const QColor maroon(Colors::Maroon);
        placed(new Shape(Shape::Rectangle, maroon, this), QLatin1String(p.bar),
               QRect(p.barLeft, p.barTop, 7, p.barHeight), tr("Kůl %1").arg(n));
        placed(new Shape(Shape::Rectangle, maroon, this), QLatin1String(p.base), QRect(p.baseLeft, 266, 171, 9),
               tr("Podstavec %1").arg(n));
        placed(new Shape(Shape::Rectangle, QColor(Colors::White), this), QLatin1String(p.box),
               QRect(p.boxLeft, 284, 65, 17));
        auto *label = placed(new TextLabel(tr("Post %1").arg(n), this), QLatin1String(p.label),
                             QRect(p.boxLeft + 1, 286, 63, 13), tr("Post %1").arg(n));
        label->setFont(Fonts::times(11, true));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        for (int k = 1; k <= p.diskCount; ++k) {
            m_disks[post - 1].push_back(
                placed(new Shape(Shape::RoundRect, QColor(Colors::Disks[k - 1]), this),
                       QLatin1String(p.disks) + QString::number(k),
                       QRect(p.firstLeft - 7 * (k - 1), restingTop(post, k), Board::diskWidth(k), 17),
                       tr("Disk %1").arg(k)));
        }
    }

    m_title = new Panel(this, Panel::Raised, QColor(Colors::Silver));
    m_title->setObjectName(QStringLiteral("Panel1"));
    m_title->setGeometry(152, kTitleTop, 265, 55);
    DialogSupport::titleLettering(m_title, "GradText1", caption, QRect(9, -2, 247, 36), 32);
    DialogSupport::titleLettering(m_title, "GradText2", tr("verze 5.0"), QRect(8, 32, 57, 18), 15);
}

int IdlePicture::restingTop(int post, int k)
{
    return kIdlePosts[post - 1].firstTop + 18 * (k - 1);
}

void IdlePicture::moveToStart()
{
    for (const auto &post : m_disks)
        for (Shape *disk : post)
            disk->move(disk->x(), kIdleStartTop);
    m_title->move(m_title->x(), kTitleStartTop);
}

void IdlePicture::openingAnimation()
{
    parentWidget()->repaint();
    Pacing::Stepper stepper(Pacing::kIdleStepMicros);
    for (int post = 1; post <= 3; ++post) {
        const auto &disks = m_disks[post - 1];
        for (int k = int(disks.size()); k >= 1; --k) {
            Shape *disk = disks[k - 1];
            for (int top = disk->y(); top <= restingTop(post, k); ++top)
                stepper.moveTo(disk, {disk->x(), top});
        }
    }
    for (int top = m_title->y(); top <= kTitleTop; ++top)
        stepper.moveTo(m_title, {m_title->x(), top}, false);
    m_title->repaint();
}

void IdlePicture::closingAnimation()
{
    Pacing::Stepper stepper(Pacing::kIdleStepMicros);
    for (int top = m_title->y(); top >= kTitleStartTop; --top)
        stepper.moveTo(m_title, {m_title->x(), top}, false);
    parentWidget()->repaint();
    for (const auto &disks : m_disks)
        for (Shape *disk : disks)
            for (int top = disk->y(); top >= kIdleStartTop; --top)
                stepper.moveTo(disk, {disk->x(), top});
}
