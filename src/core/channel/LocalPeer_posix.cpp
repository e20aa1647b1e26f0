#include "LocalPeer.h"

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <unistd.h>
#elif defined(Q_OS_UNIX)
#include <sys/types.h>
#include <unistd.h>
#endif

namespace LocalPeer {

bool isSameUser(qintptr socketDescriptor)
{
#if defined(Q_OS_LINUX)
    ucred peer{};
    socklen_t size = sizeof(peer);
    return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && size == sizeof(peer) && peer.uid == ::geteuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(int(socketDescriptor), &uid, &gid) == 0 && uid == ::geteuid();
#endif
}

} // namespace LocalPeer
