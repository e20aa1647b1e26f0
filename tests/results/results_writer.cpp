// A copy of the program's storing, driven from the tests: stores results in
// a loop into the table of the application directory given and prints a
// line after each write has finished.
//
//   results_writer append|store APPDIR PREFIX COUNT [PAUSE_MS]
//
// append: AppendResult of PREFIX<i> (moves i, disk count 3 + i mod 8).
// store:  the result dialog's path, Verdict::qualifies then Verdict::store.
// PAUSE_MS: a pause after each store, as a player's stores come apart.
// After opening the table it prints "ready" and waits for a line on stdin,
// so that several writers can be started at one moment. A store that fails
// prints "error" and its text, and the next one is tried.
#include "core/results/Data.h"
#include "core/results/ResultsTable.h"
#include "core/results/Verdict.h"
#include "core/errors/AppError.h"
#include "core/files/AppPath.h"

#include <QCoreApplication>
#include <QDate>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 && args.size() != 6) {
        std::fprintf(stderr, "usage: results_writer append|store APPDIR PREFIX COUNT [PAUSE_MS]\n");
        return 2;
    }
    const QString mode = args[1];
    AppPath::setDirForTesting(args[2]);
    const QString prefix = args[3];
    const int total = args[4].toInt();
    const int pauseMs = args.value(5).toInt();
    try {
        TDataModule1 data;
        data.open();
        ResultsTable &table = data.Table1();
        std::printf("ready\n");
        std::fflush(stdout);
        std::string go;
        std::getline(std::cin, go);
        const QString today = ResultsTable::dateToText(QDate::currentDate());
        for (int i = 0; i < total; ++i) {
            const QString name = prefix + QString::number(i);
            const QString count = QString::number(3 + i % 8);
            const QString moves = QString::number(i);
            try {
                bool stored = true;
                if (mode == QLatin1String("append"))
                    table.AppendResult(name, moves, count, today);
                else
                    stored = Verdict::qualifies(table, count, moves) && Verdict::store(table, name, moves, count);
                std::printf("%s %s\n", stored ? "stored" : "refused", qPrintable(name));
            } catch (const AppError &error) {
                std::printf("error %s\n", qPrintable(error.text()));
            }
            std::fflush(stdout);
            QThread::msleep(pauseMs);
        }
    } catch (const AppError &error) {
        std::printf("error %s\n", qPrintable(error.text()));
        return 1;
    }
    return 0;
}
