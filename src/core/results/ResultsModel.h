#pragma once

#include "TableFile.h"

#include <QAbstractTableModel>
#include <QVector>

class ResultsTable;

// `DataSource1`: the visible rows of `Table1` for the viewer's grids, with
// the columns JMENO, TAHY (a plain whole number) and DATUM (a date text).
// Follows every change of filter, order or content at once.
class ResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, MovesColumn, DateColumn, ColumnCount };

    explicit ResultsModel(ResultsTable *table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void reset();

    ResultsTable *m_table;
    QVector<ResultRecord> m_rows;
};
