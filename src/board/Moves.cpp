#include "Moves.h"

#include "core/board/BoardRules.h"
#include "Plocha.h"
#include "services/Pacing.h"
#include "core/sound/SoundCue.h"
#include "widgets/Shape.h"

namespace Moves {

bool pickUp(BoardPanel &board, int k)
{
    const Board::Disks disks = board.disks();
    if (Board::anyLiftedExcept(disks, k) || !Board::isTopDisk(disks, k))
        return false;
    PlaySoundCue(QStringLiteral("Zvednuti.wav"));
    Shape *disk = board.disk(k);
    Pacing::Stepper stepper(Pacing::kBoardStepMicros);
    for (int top = disk->y(); top >= Board::kLiftedTop; --top)
        stepper.moveTo(disk, {disk->x(), top});
    return true;
}

bool placeOnPost(BoardPanel &board, int post)
{
    const Board::Disks disks = board.disks();
    const int k = Board::liftedDisk(disks);
    if (k == 0)
        return false;
    const int base = board.baseLeft(post);
    const int slot = Board::slotLeft(base, k);
    Shape *disk = board.disk(k);
    Pacing::Stepper stepper(Pacing::kBoardStepMicros);
    if (disk->x() != slot) {
        if (Board::smallerDiskOnPost(disks, k, base))
            return false;
        const int direction = slot > disk->x() ? 1 : -1;
        for (int left = disk->x();; left += direction) {
            stepper.moveTo(disk, {left, Board::kLiftedTop});
            if (left == slot)
                break;
        }
    }
    const int landing = Board::landingTop(board.disks(), base, k);
    PlaySoundCue(QStringLiteral("Polozeni.wav"));
    for (int top = Board::kLiftedTop; top <= landing; ++top)
        stepper.moveTo(disk, {slot, top});
    PlaySoundCue(QStringLiteral("Dopad.wav"));
    return true;
}

} // namespace Moves
