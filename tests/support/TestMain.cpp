#include "TestMain.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {
std::map<std::string, TestMain::Runner> &registry()
{
    static std::map<std::string, TestMain::Runner> classes;
    return classes;
}
} // namespace

TestMain::Registration::Registration(const char *name, Runner run) { registry()[name] = run; }

// "suite ClassName [options]" runs that class with the options; without a
// known class name the suite lists its classes and fails.
int main(int argc, char **argv)
{
    const auto found = argc >= 2 ? registry().find(argv[1]) : registry().end();
    if (found == registry().end()) {
        std::fprintf(stderr, "usage: %s CLASS [Qt Test options]\nclasses:\n", argv[0]);
        for (const auto &entry : registry())
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 2;
    }
    // The class sees the command line as if it were its own program.
    argv[1] = argv[0];
    return found->second(argc - 1, argv + 1);
}
