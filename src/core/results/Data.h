#pragma once

#include <QObject>

class ResultsModel;
class ResultsTable;

// The data module: the table cursor `Table1` on the application's "Data"
// directory and `DataSource1` for the grids. Created once at start-up.
class TDataModule1 : public QObject
{
    Q_OBJECT
public:
    explicit TDataModule1(QObject *parent = nullptr);

    ResultsTable &Table1() { return *m_table; }
    ResultsModel &DataSource1() { return *m_source; }

    // Start-up: Table1 on AppPath::dataDir(), order "JMENO", no filter, open.
    void open();
    // The clearing command's work: the table becomes empty and stays open;
    // filter and order stay as they were.
    void clearResults();

private:
    ResultsTable *m_table;
    ResultsModel *m_source;
};
