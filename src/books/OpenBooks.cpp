#include "OpenBooks.h"

#include "Balance.h"
#include "BalanceJournal.h"
#include "Connection.h"
#include "DataFiles.h"
#include "NumberText.h"
#include "QuotedText.h"
#include "Schema.h"
#include "ServerSideValues.h"
#include "SideFile.h"

bool OpenBooks::open(QString *reason)
{
    m_readOnly.clear();
    return (m_folder.isOnServer() ? readServerValues(reason) : readSideFiles(reason)) && checkDatabases(reason);
}

std::optional<QString> OpenBooks::storedBalance(QString *error) const
{
    ServerSideValues::Values values;
    if (!ServerSideValues::read(m_folder.database(DataFiles::customers), &values, error))
        return std::nullopt;
    return NumberText::twoDecimals(values.balance);
}

bool OpenBooks::readServerValues(QString *reason)
{
    ServerSideValues::Values values;
    if (!ServerSideValues::read(m_folder.database(DataFiles::customers), &values, reason))
        return false;
    m_values = {values.expenseNames, values.incomeNames, NumberText::twoDecimals(values.balance)};
    return true;
}

bool OpenBooks::readSideFiles(QString *reason)
{
    QString error, balance;
    const auto read = [&](const QString &name, QString *content) {
        const auto text = SideFile::read(m_folder.filePath(name), &error);
        if (!text)
            *reason = QStringLiteral("The file %1 could not be read: %2").arg(name, error);
        *content = text.value_or(QString());
        return text.has_value();
    };
    SideValues values;
    if (!read(DataFiles::expenseNames, &values.expenseNames) ||
        !read(DataFiles::incomeNames, &values.incomeNames))
        return false;
    if (!BalanceJournal::settle(m_folder, &error)) {
        *reason = QStringLiteral("The file %1 could not be brought up to date with the ledgers: %2")
                      .arg(DataFiles::balance, error);
        return false;
    }
    if (!read(DataFiles::balance, &balance))
        return false;
    const auto number = Balance::fromFile(balance);
    if (!number) {
        *reason = QStringLiteral("The file %1 must hold the balance as a number, but it holds %2.")
                      .arg(DataFiles::balance, QuotedText::of(balance.trimmed()));
        return false;
    }
    values.balance = NumberText::twoDecimals(*number);
    m_values = values;
    return true;
}

bool OpenBooks::checkDatabases(QString *reason)
{
    // A server keeps the three tables in one database: one connection checks them.
    Connection server(m_folder.database(DataFiles::customers));
    for (const auto &[name, table] : DataFiles::databases()) {
        const Database database = m_folder.database(name);
        if (!(m_folder.isOnServer() ? Schema::check(server, table, reason) : Schema::check(database, table, reason)))
            return false;
        if (database.engine->isReadOnly(database.name))
            m_readOnly << name;
    }
    return true;
}

// A change whose balance.kvd could not be written left a note in its ledger:
// it is finished first, so that no copy of the databases (the backup's, the
// exit's, a restore's kept folder) carries one.
QStringList OpenBooks::save(const SideValues &values) const
{
    QStringList problems;
    QString error;
    if (m_folder.isOnServer()) {
        if (!ServerSideValues::writeNames(m_folder.database(DataFiles::customers), values.incomeNames,
                                          values.expenseNames, &error))
            problems << QStringLiteral("The names each ledger remembers could not be stored on the server: %1")
                            .arg(error);
        return problems;
    }
    if (!BalanceJournal::settle(m_folder, &error))
        problems << QStringLiteral("The file %1 could not be brought up to date with the ledgers: %2")
                        .arg(DataFiles::balance, error);
    const struct {
        QString name, value;
    } files[] = {{DataFiles::expenseNames, values.expenseNames},
                 {DataFiles::incomeNames, values.incomeNames},
                 {DataFiles::balance, values.balance}};
    for (const auto &file : files) {
        if (!SideFile::write(m_folder.disk(), m_folder.filePath(file.name), file.value, &error))
            problems << QStringLiteral("The file %1 could not be written: %2").arg(file.name, error);
    }
    return problems;
}
