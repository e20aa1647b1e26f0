#include "BoardRules.h"

namespace Board {

bool isOnPost(const Disks &disks, int k, int baseLeft)
{
    return disks[k - 1].left == slotLeft(baseLeft, k);
}

bool isLifted(const Disks &disks, int k) { return disks[k - 1].top == kLiftedTop; }

int liftedDisk(const Disks &disks)
{
    for (int k = 1; k <= kDisks; ++k)
        if (isLifted(disks, k))
            return k;
    return 0;
}

int countOnPost(const Disks &disks, int baseLeft, int except)
{
    int count = 0;
    for (int j = 1; j <= kDisks; ++j)
        if (j != except && isOnPost(disks, j, baseLeft))
            ++count;
    return count;
}

int landingTop(const Disks &disks, int baseLeft, int except)
{
    return levelTop(countOnPost(disks, baseLeft, except));
}

} // namespace Board
