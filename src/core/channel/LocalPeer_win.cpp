#include "LocalPeer.h"

namespace LocalPeer {

// The channel's named pipe is open to its owner only.
bool isSameUser(qintptr) { return true; }

} // namespace LocalPeer
