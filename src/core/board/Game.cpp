#include "Game.h"

#include <algorithm>

namespace Board {

Game Game::start(int n)
{
    Game game;
    game.m_disks = std::clamp(n, kMinDisks, kDisks);
    for (int k = game.m_disks; k >= 1; --k)
        game.m_stacks[0].push_back(k);
    return game;
}

std::optional<Game> Game::fromKept(const QString &disky, const QString &tahy, const QString &kuly)
{
    bool countRead = false, movesRead = false;
    const int n = disky.trimmed().toInt(&countRead);
    const int moves = tahy.trimmed().toInt(&movesRead);
    if (!countRead || n < kMinDisks || n > kDisks || !movesRead || moves < 0 || kuly.size() != n)
        return std::nullopt;
    Game game;
    game.m_disks = n;
    game.m_moves = moves;
    for (int k = n; k >= 1; --k) {   // the largest first, so each post stacks in order
        const QChar post = kuly.at(k - 1);
        if (post < QLatin1Char('1') || post > QLatin1Char('3'))
            return std::nullopt;
        game.m_stacks[size_t(post.unicode() - '1')].push_back(k);
    }
    return game;
}

int Game::postOf(int k) const
{
    for (int post = 1; post <= 3; ++post)
        if (std::find(stack(post).begin(), stack(post).end(), k) != stack(post).end())
            return post;
    return 0;
}

int Game::topDisk(int post) const { return stack(post).empty() ? 0 : stack(post).back(); }

QString Game::kuly() const
{
    QString text;
    for (int k = 1; k <= m_disks; ++k)
        text += QString::number(postOf(k));
    return text;
}

bool Game::mayLift(int k) const
{
    const int post = postOf(k);
    return post != 0 && (m_lifted == 0 || m_lifted == k) && topDisk(post) == k;
}

bool Game::mayPlace(int post) const
{
    if (m_lifted == 0 || post < 1 || post > 3)
        return false;
    const int top = topDisk(post);
    return top == 0 || top >= m_lifted;   // its own post, or larger disks only
}

bool Game::lift(int k)
{
    if (!mayLift(k))
        return false;
    m_lifted = k;
    ++m_moves;
    return true;
}

bool Game::place(int post)
{
    if (!mayPlace(post))
        return false;
    const int k = m_lifted;
    const int from = postOf(k);
    m_lifted = 0;
    if (from != post) {
        m_stacks[size_t(from - 1)].pop_back();
        m_stacks[size_t(post - 1)].push_back(k);
        m_carries.push_back({k, from, post});
    }
    return true;
}

std::optional<Move> Game::undo()
{
    if (m_lifted) {
        const Move back{m_lifted, postOf(m_lifted), postOf(m_lifted)};
        m_lifted = 0;
        return back;
    }
    if (m_carries.empty())
        return std::nullopt;
    const Move last = m_carries.back();
    m_carries.pop_back();
    m_stacks[size_t(last.to - 1)].pop_back();
    m_stacks[size_t(last.from - 1)].push_back(last.disk);
    ++m_moves;
    return Move{last.disk, last.to, last.from};
}

int Game::solvedPost() const
{
    if (m_disks == 0 || m_lifted)
        return 0;
    for (int post = 2; post <= 3; ++post)
        if (int(stack(post).size()) == m_disks)
            return post;
    return 0;
}

Disk Game::placeOf(int k) const
{
    const int post = postOf(k);
    if (post == 0)
        return {0, 0};
    const int left = slotLeft(kPostBaseLefts[post - 1], k);
    if (k == m_lifted)
        return {left, kLiftedTop};
    const auto &on = stack(post);
    return {left, levelTop(int(std::find(on.begin(), on.end(), k) - on.begin()))};
}

void GameModel::set(const Game &game, bool on)
{
    const bool countChanged = game.moves() != m_game.moves();
    const bool onChanged = on != m_on;
    m_game = game;
    m_on = on;
    emit changed();
    if (countChanged)
        emit moveCountChanged(m_game.moves());
    if (onChanged)
        emit this->onChanged(on);
}

void GameModel::begin(const Game &game)
{
    m_watched = true;
    set(game, true);
}

void GameModel::end(const Game &shown) { set(shown, false); }

bool GameModel::lift(int k)
{
    Game next = m_game;
    if (!m_on || !next.lift(k))
        return false;
    set(next, true);
    return true;
}

bool GameModel::place(int post)
{
    Game next = m_game;
    if (!m_on || !next.place(post))
        return false;
    set(next, true);
    return true;
}

std::optional<Move> GameModel::undo()
{
    Game next = m_game;
    std::optional<Move> move = m_on ? next.undo() : std::nullopt;
    if (move)
        set(next, true);
    return move;
}

} // namespace Board
