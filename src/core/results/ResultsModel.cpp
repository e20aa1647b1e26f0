#include "ResultsModel.h"

#include "ResultsTable.h"

ResultsModel::ResultsModel(ResultsTable *table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_rows(table->shownRows())
{
    setObjectName(QStringLiteral("DataSource1"));
    connect(table, &ResultsTable::rowsChanged, this, &ResultsModel::reset);
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const ResultRecord &row = m_rows[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case NameColumn: return row.name;
        case MovesColumn: return QString::number(row.moves);
        case DateColumn: return ResultsTable::dateToText(row.date);
        default: return QVariant();
        }
    }
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case NameColumn: return int(Qt::AlignLeft | Qt::AlignVCenter);
        case MovesColumn: return int(Qt::AlignCenter);
        case DateColumn: return int(Qt::AlignRight | Qt::AlignVCenter);
        default: return QVariant();
        }
    }
    return QVariant();
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole) {
        switch (section) {
        case NameColumn: return tr("Jméno");
        case MovesColumn: return tr("Tahy");
        case DateColumn: return tr("Datum");
        default: return QVariant();
        }
    }
    if (role == Qt::TextAlignmentRole && section == DateColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

void ResultsModel::reset()
{
    beginResetModel();
    m_rows = m_table->shownRows();
    endResetModel();
}
