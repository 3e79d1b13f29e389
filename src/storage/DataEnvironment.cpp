#include "DataEnvironment.h"

#include "TableReader.h"

bool DataEnvironment::run(const QString &command, const QVariantList &parameters,
                          ReportRows *rows, QString *error)
{
    sqlite3 *db = m_connection.handle();
    if (!db) {
        *error = QStringLiteral("%1 is not open.").arg(m_connection.dataSource());
        return false;
    }
    return TableReader::readQuery(db, command, parameters, &rows->columns, &rows->cells, error);
}
