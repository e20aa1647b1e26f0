#include "Plocha.h"

#include "core/widgets/Fonts.h"
#include "core/widgets/Colors.h"
#include "widgets/Shape.h"
#include "widgets/Placed.h"
#include "widgets/TextLabel.h"

namespace {

// The plates carry the names of the program's own design: post 1's plate
// is Shape2 and post 2's is Shape1.
const char *const kPlateNames[3] = {"Shape2", "Shape1", "Shape3"};
const char *const kPlateLabelNames[3] = {"Label2", "Label3", "Label4"};

} // namespace

BoardPanel::BoardPanel(QWidget *parent)
    : Panel(parent, Panel::Lowered, QColor(Colors::Gray))
{
    setObjectName(QStringLiteral("Plocha"));
    setStatusTip(tr("Hrací pole"));

    for (int p = 1; p <= 3; ++p) {
        const int base = Board::kPostBaseLefts[p - 1];
        const QString post = QString::number(p);
        const QColor maroon(Colors::Maroon);
        m_poles[p - 1] = placed(new Shape(Shape::Rectangle, maroon, this), QStringLiteral("K") + post,
                                QRect(base + 82, 42, 7, 193), tr("Kůl %1").arg(post));
        m_bases[p - 1] = placed(new Shape(Shape::Rectangle, maroon, this), QStringLiteral("P") + post,
                                QRect(base, 234, 171, 9), tr("Podstavec %1").arg(post));
        m_plates[p - 1] = placed(new Shape(Shape::Rectangle, QColor(Colors::White), this),
                                 QLatin1String(kPlateNames[p - 1]), QRect(base + 52, 252, 65, 17),
                                 tr("Post %1").arg(post));
        auto *label = new TextLabel(tr("Post %1").arg(post), this);
        label->setObjectName(QLatin1String(kPlateLabelNames[p - 1]));
        label->setGeometry(base + 53, 254, 63, 13);
        label->setFont(Fonts::times(11, true));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setStatusTip(tr("Post %1").arg(post));
        m_plateLabels[p - 1] = label;

        for (Shape *part : {m_poles[p - 1], m_bases[p - 1], m_plates[p - 1]})
            connect(part, &Shape::released, this, [this, p] { emit postReleased(p); });
        connect(label, &TextLabel::released, this, [this, p] { emit postReleased(p); });
    }

    m_kontrola = new QLabel(QStringLiteral("Kontrola"), this);
    m_kontrola->setObjectName(QStringLiteral("Kontrola"));
    m_kontrola->setGeometry(136, 16, 39, 13);
    m_kontrola->hide();

    // Created after the posts, so a disk covers the part of a pole behind it.
    const Board::Layout design = Board::designLayout();
    for (int k = 1; k <= Board::kDisks; ++k) {
        const QString n = QString::number(k);
        Shape *d = placed(new Shape(Shape::RoundRect, QColor(Colors::Disks[k - 1]), this), QStringLiteral("D") + n,
                          QRect(design.disks[k - 1].left, design.disks[k - 1].top, Board::diskWidth(k), 17),
                          tr("Disk %1").arg(n));
        connect(d, &Shape::released, this, [this, k] { emit diskReleased(k); });
        m_disks[k - 1] = d;
    }
}

Board::Disks BoardPanel::disks() const
{
    Board::Disks disks;
    for (int k = 1; k <= Board::kDisks; ++k)
        disks[k - 1] = {m_disks[k - 1]->x(), m_disks[k - 1]->y()};
    return disks;
}

int BoardPanel::baseLeft(int post) const { return m_bases[post - 1]->x(); }

void BoardPanel::layOut(const Board::Layout &layout)
{
    for (int k = 1; k <= Board::kDisks; ++k) {
        m_disks[k - 1]->move(layout.disks[k - 1].left, layout.disks[k - 1].top);
        m_disks[k - 1]->setVisible(layout.visible[k - 1]);
    }
}
