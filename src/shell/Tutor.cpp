#include "Tutor.h"

#include "board/HintMarks.h"
#include "board/Moves.h"
#include "board/Plocha.h"
#include "core/board/Game.h"
#include "core/board/ShortestWay.h"
#include "services/Pacing.h"
#include "widgets/Shape.h"

#include <algorithm>

namespace {
// The demonstration's rest between moves at the normal pace; in proportion
// at the others, never below the shortest.
constexpr int kRestMillis = 500;
constexpr int kShortestRestMillis = 200;
} // namespace

Tutor::Tutor(Board::GameModel *game, BoardPanel *board, std::function<void(int post)> playPost, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_board(board)
    , m_marks(new HintMarks(board))
    , m_playPost(std::move(playPost))
{
    m_rest.setSingleShot(true);
    connect(&m_rest, &QTimer::timeout, this, &Tutor::demonstrateNext);
    // The marks hold until the next move; a game that ends stops the demonstration.
    connect(m_game, &Board::GameModel::changed, this, &Tutor::clearMarks);
    connect(m_game, &Board::GameModel::onChanged, this, [this](bool on) {
        if (!on)
            stopDemonstration();
    });
}

void Tutor::setPlayedWithHelp(bool helped)
{
    m_helped = helped;
    clearMarks();
}

int Tutor::restMillis() const
{
    if (!Pacing::isEnabled())
        return 0;
    return std::max(kShortestRestMillis,
                    int(qint64(kRestMillis) * m_board->mover()->stepMicros() / Pacing::kBoardStepMicros));
}

void Tutor::hint()
{
    const Board::Game &game = m_game->game();
    if (!m_game->isOn())
        return;
    const Board::Way way = Board::shortestWay(Board::positionOf(game));
    if (way.next.disk == 0)
        return;
    m_helped = true;
    const int lifted = game.lifted();
    if (lifted != 0 && lifted != way.next.disk) {
        const int home = game.postOf(lifted);
        emit told(tr("Rada: vraťte disk %1 zpět na kůl %2").arg(lifted).arg(home));
        m_marks->mark(m_board->disk(lifted)->geometry(), m_board->pole(home)->geometry(),
                      m_board->base(home)->geometry());
        return;
    }
    // The lifted disk's move is counted already.
    const int toGo = int(way.length) - (lifted != 0 ? 1 : 0);
    emit told(tr("Rada: disk %1 na kůl %2 (zbývá %n tahů)", nullptr, toGo).arg(way.next.disk).arg(way.next.to));
    m_marks->mark(m_board->disk(way.next.disk)->geometry(), m_board->pole(way.next.to)->geometry(),
                  m_board->base(way.next.to)->geometry());
}

void Tutor::toggleDemonstration()
{
    if (m_demonstrating) {
        stopDemonstration();
        return;
    }
    if (!m_game->isOn())
        return;
    m_helped = true;
    m_demonstrating = true;
    emit demonstrationChanged(true);
    if (!m_board->mover()->isMoving())
        demonstrateNext();
}

void Tutor::stopDemonstration()
{
    m_rest.stop();
    if (!m_demonstrating)
        return;
    m_demonstrating = false;
    emit demonstrationChanged(false);
}

void Tutor::moveEnded()
{
    // A lift is half a move: the rest comes after the disk has landed.
    if (m_demonstrating && !m_board->mover()->isMoving() && m_game->game().lifted() == 0)
        m_rest.start(restMillis());
}

void Tutor::demonstrateNext()
{
    if (!m_demonstrating || m_board->mover()->isMoving())
        return;
    const Board::Game &game = m_game->game();
    const Board::Way way = Board::shortestWay(Board::positionOf(game));
    if (!m_game->isOn()) {
        stopDemonstration();
        return;
    }
    emit told(tr("Ukázka řešení: zbývá %n tahů", nullptr, int(way.length)));
    if (way.next.disk == 0) {
        stopDemonstration();
        return;
    }
    // A disk the player left in the air goes back first, or down where it goes.
    if (const int lifted = game.lifted()) {
        m_playPost(lifted == way.next.disk ? way.next.to : game.postOf(lifted));
        return;
    }
    m_playPost(way.next.from);
    m_playPost(way.next.to);
}

void Tutor::clearMarks() { m_marks->clear(); }
