#pragma once

// Several test classes share one executable; each CTest entry runs one of
// them by name ("suite ClassName [Qt Test options]"), so a failure still
// names its class and the classes run in parallel.
//
// TORAN_TEST_MAIN, TORAN_TEST_GUILESS_MAIN and TORAN_TEST_APPLESS_MAIN stand
// where QTEST_MAIN, QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN would, and make
// the same application object for the class they register.

#include <QtTest>
#ifdef QT_WIDGETS_LIB
#include <QApplication>
#endif

namespace TestMain {
// Runs one class: gets the command line without the class name.
using Runner = int (*)(int argc, char **argv);

struct Registration {
    Registration(const char *name, Runner run);
};

template<class Test>
int runWithoutApp(int argc, char **argv)
{
    Test test;
    return QTest::qExec(&test, argc, argv);
}

template<class Test>
int runGuiless(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#ifdef QT_WIDGETS_LIB
template<class Test>
int runWidgets(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
#endif
} // namespace TestMain

#define TORAN_TEST_REGISTER(Class, runner) \
    static const TestMain::Registration toranTestRegistration##Class(#Class, runner);
#define TORAN_TEST_MAIN(Class) TORAN_TEST_REGISTER(Class, &TestMain::runWidgets<Class>)
#define TORAN_TEST_GUILESS_MAIN(Class) TORAN_TEST_REGISTER(Class, &TestMain::runGuiless<Class>)
#define TORAN_TEST_APPLESS_MAIN(Class) TORAN_TEST_REGISTER(Class, &TestMain::runWithoutApp<Class>)
