#include "BoardAccessible.h"

#include "Plocha.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace {

constexpr int kPosts = 3;
constexpr int kPostWidth = 171;        // a post is as wide as its base
constexpr int kPostBottom = 269;       // below its name plate

// One post: a part of the board with no widget of its own.
class PostInterface : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    PostInterface(BoardPanel *board, int post) : m_board(board), m_post(post) {}

    bool isValid() const override { return m_board; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_board ? m_board->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_board); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Button; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!m_board)
            return QString();
        if (t == QAccessible::Name)
            return m_board->postName(m_post);
        if (t == QAccessible::Description)
            return m_board->postDescription(m_post);
        return QString();
    }

    QRect rect() const override
    {
        if (!m_board)
            return QRect();
        const QRect area(m_board->baseLeft(m_post), Board::kLiftedTop, kPostWidth, kPostBottom - Board::kLiftedTop);
        return QRect(m_board->mapToGlobal(area.topLeft()), area.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = m_board && m_board->hasFocus() && m_board->currentPost() == m_post;
        s.invisible = s.offscreen = !m_board || !m_board->isVisible();
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && m_board)
            m_board->choosePost(m_post);
    }
    QStringList keyBindingsForAction(const QString &name) const override
    {
        return name == pressAction() ? QStringList{QString::number(m_post)} : QStringList();
    }

private:
    QPointer<BoardPanel> m_board;
    int m_post;
};

class BoardInterface : public QAccessibleWidget
{
public:
    explicit BoardInterface(BoardPanel *board) : QAccessibleWidget(board, QAccessible::Grouping)
    {
        for (int post = 1; post <= kPosts; ++post) {
            auto *iface = new PostInterface(board, post);
            m_ids[post - 1] = QAccessible::registerAccessibleInterface(iface);
            m_posts[post - 1] = iface;
        }
    }
    ~BoardInterface() override
    {
        for (QAccessible::Id id : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    // The posts stand for the parts and disks a player sees.
    int childCount() const override { return kPosts; }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < kPosts ? m_posts[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < kPosts; ++i)
            if (m_posts[i] == child)
                return i;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (PostInterface *post : m_posts)
            if (post->rect().contains(x, y))
                return post;
        return nullptr;
    }

private:
    PostInterface *m_posts[kPosts] = {};
    QAccessible::Id m_ids[kPosts] = {};
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("BoardPanel"))
        if (auto *board = qobject_cast<BoardPanel *>(object))
            return new BoardInterface(board);
    return nullptr;
}

} // namespace

namespace BoardAccessible {

// Qt keeps a factory once however often it is installed, and drops them all
// with the application: each new control makes sure of it.
void install() { QAccessible::installFactory(&interfaceFor); }

} // namespace BoardAccessible
