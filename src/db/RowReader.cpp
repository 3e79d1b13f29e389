#include "RowReader.h"

bool RowReader::number(const QString &sql, const QVariantList &parameters, qint64 *value, QString *error)
{
    if (!prepare(sql, parameters, error))
        return false;
    if (step() != Step::Row)
        return failed(error);
    *value = integer(0);
    return true;
}
