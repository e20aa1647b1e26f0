#include "Plocha.h"

#include "BoardAccessible.h"
#include "Moves.h"
#include "core/sound/SoundCue.h"
#include "core/drawing/Fonts.h"
#include "core/drawing/Colors.h"
#include "widgets/Accessibility.h"
#include "widgets/Shape.h"
#include "widgets/Placed.h"
#include "widgets/TextLabel.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

// The plates carry the names of the program's own design: post 1's plate
// is Shape2 and post 2's is Shape1.
const char *const kPlateNames[3] = {"Shape2", "Shape1", "Shape3"};
const char *const kPlateLabelNames[3] = {"Label2", "Label3", "Label4"};
// The current post's marker: a frame this far round its plate.
constexpr int kMarkerGap = 3;
constexpr int kMarkerWidth = 2;

// A post's hints end with its key, as a tooltip shows a shortcut.
QString withKey(const QString &hint, int post) { return QStringLiteral("%1 (%2)").arg(hint).arg(post); }

} // namespace

BoardPanel::BoardPanel(QWidget *parent)
    : Panel(parent, Panel::Lowered, QColor(Colors::Gray))
{
    setObjectName(QStringLiteral("Plocha"));
    setStatusTip(tr("Hrací pole"));
    // The keys play the board wherever the focus is; holding it, the board
    // lets a screen reader follow the posts.
    setFocusPolicy(Qt::StrongFocus);
    BoardAccessible::install();
    m_mover = new DiskMover(this);
    m_shown = Board::Game::start(Board::kDisks);

    for (int p = 1; p <= 3; ++p) {
        const int base = Board::kPostBaseLefts[p - 1];
        const QString post = QString::number(p);
        const QColor maroon(Colors::Maroon);
        m_poles[p - 1] = placed(new Shape(Shape::Rectangle, maroon, this), QStringLiteral("K") + post,
                                QRect(base + 82, 42, 7, 193), withKey(tr("Kůl %1").arg(post), p));
        m_bases[p - 1] = placed(new Shape(Shape::Rectangle, maroon, this), QStringLiteral("P") + post,
                                QRect(base, 234, 171, 9), withKey(tr("Podstavec %1").arg(post), p));
        m_plates[p - 1] = placed(new Shape(Shape::Rectangle, QColor(Colors::White), this),
                                 QLatin1String(kPlateNames[p - 1]), QRect(base + 52, 252, 65, 17),
                                 withKey(tr("Post %1").arg(post), p));
        connect(m_plates[p - 1], &Shape::brushColorChanged, this, &BoardPanel::stateMayHaveChanged);
        auto *label = new TextLabel(tr("Post %1").arg(post), this);
        label->setObjectName(QLatin1String(kPlateLabelNames[p - 1]));
        label->setGeometry(base + 53, 254, 63, 13);
        label->setFont(Fonts::times(11, true));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setStatusTip(withKey(tr("Post %1").arg(post), p));
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
    const Board::Game design = Board::Game::start(Board::kDisks);
    for (int k = 1; k <= Board::kDisks; ++k) {
        const QString n = QString::number(k);
        Shape *d = placed(new Shape(Shape::RoundRect, QColor(Colors::Disks[k - 1]), this), QStringLiteral("D") + n,
                          QRect(design.placeOf(k).left, design.placeOf(k).top, Board::diskWidth(k), 17),
                          tr("Disk %1").arg(n));
        connect(d, &Shape::released, this, [this, k] { emit diskReleased(k); });
        d->installEventFilter(this);
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

void BoardPanel::showGame(const Board::Game &game, int movedDisk)
{
    m_shown = game;
    m_pressed = 0;
    m_dragged = 0;   // a new game while a disk followed the pointer
    for (int k = 1; k <= Board::kDisks; ++k) {
        const Board::Disk at = game.placeOf(k);
        m_disks[k - 1]->move(at.left, at.top);
        m_disks[k - 1]->setVisible(k <= game.diskCount());
    }
    // The post acted on last; a new layout starts over at post 1.
    m_current = movedDisk && game.postOf(movedDisk) ? game.postOf(movedDisk) : 1;
    m_refused = false;
    stateMayHaveChanged();
    update();
}

QString BoardPanel::postName(int post) const
{
    QStringList standing;   // from the bottom up: the largest first
    int lifted = 0;
    for (int k : m_shown.stack(post)) {
        if (k == m_shown.lifted())
            lifted = k;
        else
            standing << QString::number(k);
    }
    const QString caption = m_plateLabels[post - 1]->text();
    QString name = standing.isEmpty()      ? tr("%1: bez disků").arg(caption)
                 : standing.size() == 1    ? tr("%1: disk %2").arg(caption, standing.first())
                                           : tr("%1: disky %2").arg(caption, standing.join(QStringLiteral(", ")));
    if (lifted)
        name += tr("; zvednutý disk %1").arg(lifted);
    if (m_plates[post - 1]->brushColor() == QColor(Colors::Red))
        name += tr("; vyřešeno");
    return name;
}

QString BoardPanel::movesText() const { return tr("Počet tahů : %1").arg(m_moves); }

QString BoardPanel::postDescription(int post) const
{
    return m_refused && post == m_current ? tr("nelze položit na menší disk") : movesText();
}

void BoardPanel::tellRefusal()
{
    m_refused = true;
    m_toldDescriptions[m_current - 1].clear();   // told again at every refusal
    tellState();
}

void BoardPanel::setMoveCount(int moves)
{
    m_moves = moves;
    stateMayHaveChanged();
}

void BoardPanel::beginDrag(int k)
{
    m_dragged = k;
    m_grabX = m_pressedAt.x() - m_disks[k - 1]->x();
    PlaySoundCue(QStringLiteral("Zvednuti.wav"));
    m_disks[k - 1]->move(m_disks[k - 1]->x(), Board::kLiftedTop);
}

// A press and release that stays within the drag distance is a click: the
// release goes on to the disk.
bool BoardPanel::dragEvent(int k, QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = m_disks[k - 1]->mapTo(this, mouse->position().toPoint());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
            m_pressed = k;
            m_pressedAt = at;
        }
        return false;
    case QEvent::MouseMove:
        if (m_pressed != k)
            return false;
        if (!m_dragged && (at - m_pressedAt).manhattanLength() >= QApplication::startDragDistance())
            emit diskDragStarted(k);
        if (m_dragged == k) {
            Shape *disk = m_disks[k - 1];
            disk->move(std::clamp(at.x() - m_grabX, 0, width() - disk->width()), Board::kLiftedTop);
        }
        return m_dragged == k;
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::LeftButton || m_pressed != k)
            return false;
        m_pressed = 0;
        if (m_dragged != k)
            return false;
        m_dragged = 0;
        for (int post = 1; post <= 3; ++post) {
            const Shape *base = m_bases[post - 1];
            if (at.x() >= base->x() && at.x() < base->x() + base->width()) {
                emit diskDropped(k, post);
                return true;
            }
        }
        emit diskDropped(k, 0);
        return true;
    default:
        return false;
    }
}

bool BoardPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
        || event->type() == QEvent::MouseButtonRelease)
        for (int k = 1; k <= Board::kDisks; ++k)
            if (watched == m_disks[k - 1] && dragEvent(k, event))
                return true;
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        stateMayHaveChanged();
        break;
    default:
        break;
    }
    return Panel::eventFilter(watched, event);
}

// Covered (the boss screen) while a disk follows the pointer: the disk goes home.
void BoardPanel::hideEvent(QHideEvent *event)
{
    Panel::hideEvent(event);
    m_pressed = 0;
    if (const int k = std::exchange(m_dragged, 0))
        emit diskDropped(k, 0);
}

void BoardPanel::focusInEvent(QFocusEvent *event)
{
    Panel::focusInEvent(event);
    // A new game's names are told before the focus is: the first thing a
    // reader hears of it is the board as it now stands.
    if (m_tellPending)
        tellState();
    Accessibility::tell(this, QAccessible::Focus, m_current - 1);
    update();
}

void BoardPanel::showEvent(QShowEvent *event)
{
    Panel::showEvent(event);
    stateMayHaveChanged();
}

void BoardPanel::focusOutEvent(QFocusEvent *event)
{
    Panel::focusOutEvent(event);
    update();
}

void BoardPanel::keyPressEvent(QKeyEvent *event)
{
    int post = m_current;
    switch (event->key()) {
    case Qt::Key_Left:
        post = std::max(1, post - 1);
        break;
    case Qt::Key_Right:
        post = std::min(3, post + 1);
        break;
    case Qt::Key_Home:
        post = 1;
        break;
    case Qt::Key_End:
        post = 3;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_keysWalked = true;
        update();
        if (!event->isAutoRepeat())
            choosePost(m_current);
        return;
    default:
        Panel::keyPressEvent(event);
        return;
    }
    m_keysWalked = true;
    update();
    if (post == m_current)
        return;
    m_current = post;
    m_refused = false;
    tellState();
}

// The current post's marker: a frame round its name plate, drawn once the
// keys have walked the posts and while the board holds the keyboard.
void BoardPanel::paintEvent(QPaintEvent *event)
{
    Panel::paintEvent(event);
    if (!m_keysWalked || !hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(Colors::Yellow), kMarkerWidth));
    const QRect plate = m_plates[m_current - 1]->geometry();
    painter.drawRect(plate.adjusted(-kMarkerGap, -kMarkerGap, kMarkerGap - 1, kMarkerGap - 1));
}

// Told once the move has ended: the game shown changes only then.
void BoardPanel::stateMayHaveChanged()
{
    if (m_tellPending)
        return;
    m_tellPending = true;
    QMetaObject::invokeMethod(this, &BoardPanel::tellState, Qt::QueuedConnection);
}

void BoardPanel::tellState()
{
    m_tellPending = false;
    const int before = m_toldCurrent;
    m_toldCurrent = m_current;
    // The names are made only for a reader that listens, and told only of a
    // board in sight: hidden (idle, or under the boss screen) it lays out
    // no game, and shown again it tells what changed meanwhile.
    if (!QAccessible::isActive() || !isVisible())
        return;
    // Every post that changed is told, not only the current one: a reader
    // keeps what it was last told of each.
    for (int post = 1; post <= 3; ++post) {
        const QString name = postName(post);
        if (name != m_toldNames[post - 1]) {
            m_toldNames[post - 1] = name;
            Accessibility::tell(this, QAccessible::NameChanged, post - 1);
        }
        const QString description = postDescription(post);
        if (description != m_toldDescriptions[post - 1]) {
            m_toldDescriptions[post - 1] = description;
            Accessibility::tell(this, QAccessible::DescriptionChanged, post - 1);
        }
    }
    if (m_current != before && hasFocus())
        Accessibility::tell(this, QAccessible::Focus, m_current - 1);
}
