#pragma once

#include "ResultsFixtures.h"

#include "core/results/Data.h"
#include "core/results/ResultsModel.h"
#include "core/results/ResultsTable.h"

#include <QDate>
#include <QMetaType>
#include <QStringList>

// What the results table's test classes share: the day they play on, a walk
// along the cursor (the text of a thrown error is errorOf, in TestSupport.h).

using Records = QVector<ResultRecord>;
Q_DECLARE_METATYPE(Records)
using ForeignFields = QVector<ResultsFixtures::ForeignField>;
Q_DECLARE_METATYPE(ForeignFields)

namespace ResultsTableFixtures {
inline const QDate kToday(2026, 12, 7);

// The names of the visible rows, from First to Eof.
inline QStringList walkNames(ResultsTable &table)
{
    QStringList names;
    table.First();
    while (!table.Eof()) {
        names << table.currentName();
        table.Next();
    }
    return names;
}
} // namespace ResultsTableFixtures
