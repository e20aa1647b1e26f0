// The answering end of a running copy and nothing else, for the tests of
// the running-copy channel that need it in a process of its own (of another
// user, say):
//
//   instance_peer [--qt] BASE CLASS CAPTION
//
// answers on the first free slot of BASE as a copy whose main window has
// that class and caption, prints "listening" and runs until it is killed;
// with --qt on Qt's local sockets rather than the platform's transport.
#include "core/channel/ChannelTransport.h"
#include "core/channel/InstanceChannel.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--qt")) {
        args.removeAt(1);
        ChannelTransport::setForTesting(&ChannelTransport::qtLocalSockets());
    }
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: instance_peer [--qt] BASE CLASS CAPTION\n");
        return 2;
    }
    const InstanceServer::WindowInfo info{args[2], args[3]};
    InstanceServer server([info] { return info; }, nullptr, args[1]);
    std::printf("%s\n", server.isListening() ? "listening" : "failed");
    std::fflush(stdout);
    return server.isListening() ? app.exec() : 1;
}
