#include "Startup.h"

#include <QApplication>

namespace Startup {
int run(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return 0;
}
} // namespace Startup
