#pragma once

#include <QtGlobal>

// Who is at the other end of a connected local socket.
namespace LocalPeer {

// False when the peer process runs as another user than this one
// (SO_PEERCRED on Linux, getpeereid on the BSDs and macOS), or when the
// system will not tell. On Windows, where the channel is a named pipe open
// only to its owner, true.
bool isSameUser(qintptr socketDescriptor);

} // namespace LocalPeer
