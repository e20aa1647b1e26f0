#include "Spusteni.h"

#include "services/DialogSupport.h"
#include "core/drawing/Fonts.h"
#include "core/system/SystemInfo.h"
#include "core/drawing/Colors.h"
#include "widgets/Accessibility.h"
#include "widgets/GradProgress.h"
#include "widgets/GradText.h"
#include "widgets/Panel.h"
#include "widgets/Placed.h"
#include "widgets/Shape.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry, const QFont &font,
              QColor color, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, bool wrap = false)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->setAlignment(alignment);
    l->setWordWrap(wrap);
    l->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, color);
    l->setPalette(palette);
    if (geometry.size().isEmpty()) {
        l->move(geometry.topLeft());
        l->adjustSize();
    } else {
        l->setGeometry(geometry);
    }
    return l;
}

} // namespace

TSpusteniDialog::TSpusteniDialog(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SpusteniDialog"));
    setFixedSize(339, 288);
    // Named for a screen reader only: a caption would name a window of the
    // window system, and the running copy is found by its main window's.
    Accessibility::setRole(this, QAccessible::Window);
    setAccessibleName(QStringLiteral("Toranská věž 2000"));

    auto *panel1 = new Panel(this, Panel::NoBevel, QColor(Colors::Black));
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(rect());
    auto *panel2 = new Panel(panel1, Panel::NoBevel, QColor(Colors::BalloonYellow));
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(2, 2, 335, 284);

    const QFont credit = Fonts::times(12);
    placed(new Shape(Shape::Circle, QColor(Colors::Black), panel2),
           QStringLiteral("Shape1"), QRect(224, 0, 33, 25))->setPenColor(QColor(Colors::Black));
    auto *panel3 = new Panel(panel2, Panel::NoBevel, QColor(Colors::Black));
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setGeometry(0, 0, 241, 25);
    label(panel3, "Label9", QStringLiteral("Morvak Design"), QRect(6, 1, 120, 12), Fonts::times(11, true), Qt::white);
    label(panel3, "Label10", tr("uvádí hru ze skupiny KQ2000"), QRect(6, 12, 230, 12), Fonts::times(11),
          Qt::white);

    DialogSupport::titleLettering(panel2, "GradText1", QStringLiteral("Toranská věž 2000"), QRect(22, 30, 290, 43), 37);
    DialogSupport::titleLettering(panel2, "GradText2", tr("verze 5.0"), QRect(21, 70, 69, 22), 19);

    placed(new Shape(Shape::RoundRect, QColor(Colors::Black), panel2),
           QStringLiteral("Shape4"), QRect(11, 95, 313, 81))->setPenColor(QColor(Colors::White));
    placed(new Shape(Shape::RoundRect, QColor(Colors::Black), panel2),
           QStringLiteral("Shape5"), QRect(13, 97, 309, 77))->setPenColor(QColor(Colors::White));
    label(panel2, "Label3", tr("Oprávněný uživatel této kopie"), QRect(58, 102, 0, 0), Fonts::times(12),
          Qt::white);
    const QString owner = SystemInfo::registeredOwner();
    const QString organization = SystemInfo::registeredOrganization();
    m_label4 = label(panel2, "Label4", owner.isEmpty() ? tr("unknown") : owner, QRect(17, 123, 232, 15),
                     Fonts::times(13, true), Qt::white, Qt::AlignHCenter | Qt::AlignTop);
    m_label5 = label(panel2, "Label5", organization.isEmpty() ? tr("unknown") : organization, QRect(17, 139, 232, 15),
                     Fonts::times(13, true), Qt::white, Qt::AlignHCenter | Qt::AlignTop);
    auto *image = new QLabel(panel2);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(244, 99, 73, 74);
    image->setScaledContents(true);
    image->setAttribute(Qt::WA_TranslucentBackground);
    // Drawn transparent: the picture's white background does not show.
    image->setPixmap(DialogSupport::transparentPicture(QStringLiteral(":/art/assistant.png"), Colors::White));

    label(panel2, "Label11", QString(), QRect(19, 182, 0, 0), credit, Qt::black);
    label(panel2, "Label7", tr("© 1999 – 2000 Morvak Design, všechna práva vyhrazena"),
          QRect(7, 206, 322, 15), credit, Qt::black);
    label(panel2, "Label6", QString(), QRect(28, 220, 280, 33), credit, Qt::black, Qt::AlignHCenter | Qt::AlignTop,
          true);
    label(panel2, "Label8", tr("Malé strpení, spouštím program"), QRect(8, 259, 71, 25), Fonts::times(9),
          Qt::black, Qt::AlignLeft | Qt::AlignTop, true);
    label(panel2, "Label2", tr("verze 5.0 CZ"), QRect(258, 1, 73, 25), credit, Qt::black,
          Qt::AlignRight | Qt::AlignVCenter);

    placed(new Shape(Shape::Circle, QColor(Colors::Black), panel2),
           QStringLiteral("Shape2"), QRect(80, 260, 33, 25))->setPenColor(QColor(Colors::Black));
    auto *panel6 = new Panel(panel2, Panel::NoBevel, QColor(Colors::Black));
    panel6->setObjectName(QStringLiteral("Panel6"));
    panel6->setGeometry(95, 260, 241, 25);
    placed(new Shape(Shape::Rectangle, QColor(Colors::Black), panel6),
           QStringLiteral("Shape3"), QRect(0, 3, 233, 19))->setPenColor(QColor(Colors::White));
    m_metr = new TGradProgress(panel6);
    m_metr->setObjectName(QStringLiteral("Metr"));
    m_metr->setGeometry(1, 4, 231, 17);
    m_metr->setStyle(TGradProgress::gsHorizontal);
    m_metr->setBevelStyle(TGradProgress::bsNone);
    m_metr->setBevelWidth(1);
    m_metr->setStartColor(QColor(Colors::White));
    m_metr->setEndColor(QColor(Colors::Red));
    m_metr->setBackColor(QColor(Colors::Black));
    m_metr->setMaxValue(100);
    m_metr->setStep(1);
    m_metr->setShowPercent(false);
    m_metr->setFont(Fonts::font(QStringLiteral("Default"), 11));
    m_metr->setFontColor(Qt::white);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.center() - rect().center());
}
