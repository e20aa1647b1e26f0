// Prints the language the game chooses for this process's environment.
#include "core/system/Language.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::puts(qPrintable(Language::fromSystem()));
    return 0;
}
