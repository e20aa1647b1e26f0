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

bool anyLiftedExcept(const Disks &disks, int k)
{
    for (int j = 1; j <= kDisks; ++j)
        if (j != k && isLifted(disks, j))
            return true;
    return false;
}

bool isTopDisk(const Disks &disks, int k)
{
    const int left = disks[k - 1].left;
    for (int j = 1; j < k; ++j)
        if (disks[j - 1].left == left + 7 * (k - j))
            return false;
    return true;
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

int topDiskOn(const Disks &disks, int baseLeft)
{
    for (int k = 1; k <= kDisks; ++k)
        if (isOnPost(disks, k, baseLeft))
            return k;
    return 0;
}

bool smallerDiskOnPost(const Disks &disks, int k, int baseLeft)
{
    for (int j = 1; j < k; ++j)
        if (isOnPost(disks, j, baseLeft))
            return true;
    return false;
}

Layout newGameLayout(int n)
{
    Layout layout;
    for (int k = 1; k <= kDisks; ++k) {
        const bool plays = k <= n;
        layout.visible[k - 1] = plays;
        layout.disks[k - 1] = plays ? Disk{slotLeft(kPostBaseLefts[0], k), levelTop(n - k)} : Disk{0, 0};
    }
    return layout;
}

bool towerOn(const Disks &disks, int n, int baseLeft)
{
    for (int k = 1; k <= n; ++k)
        if (!isOnPost(disks, k, baseLeft))
            return false;
    return true;
}

} // namespace Board
