#include "Data.h"

#include "ResultsModel.h"
#include "ResultsTable.h"
#include "core/files/AppPath.h"

TDataModule1::TDataModule1(QObject *parent)
    : QObject(parent), m_table(new ResultsTable(this)), m_source(new ResultsModel(m_table, this))
{
    setObjectName(QStringLiteral("DataModule1"));
    m_table->setDatabaseDir(AppPath::dataDir());
    m_table->setTemplateDir(AppPath::templateDir());
}

void TDataModule1::open()
{
    m_table->setDatabaseDir(AppPath::dataDir());
    m_table->setTemplateDir(AppPath::templateDir());
    m_table->setWriteRefusal(AppPath::writeRefusal());
    m_table->Open();
}

void TDataModule1::clearResults() { m_table->replaceWithEmpty(); }
