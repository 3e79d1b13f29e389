#include "CarriedTable.h"

namespace {

// For each of our columns, the source column of that name, or -1.
QList<int> matchColumns(const JetTable &source, const QList<CarriedTable::Column> &ours)
{
    QList<int> from;
    for (const CarriedTable::Column &column : ours) {
        int match = -1;
        for (int i = 0; i < source.columns.size() && match < 0; ++i)
            if (source.columns[i].name.compare(column.name, Qt::CaseInsensitive) == 0)
                match = i;
        from << match;
    }
    return from;
}

} // namespace

CarriedTable::CarriedTable(const JetTable &source, const QList<Column> &ours) : m_columns(ours)
{
    const QList<int> from = matchColumns(source, ours);
    listUnmatched(source, from);
    for (qsizetype r = 0; r < source.rows.size(); ++r)
        carryRow(source, from, r);
}

void CarriedTable::carryRow(const JetTable &source, const QList<int> &from, qsizetype index)
{
    QVariantList row;
    QStringList problems;
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        const int i = from[c];
        // A column the source lacks stays empty.
        const auto result = i < 0 ? CarriedValue::carry(std::nullopt, JetTable::Text, m_columns[c].kind)
                                  : CarriedValue::carry(source.rows[index][i], source.columns[i].type,
                                                        m_columns[c].kind);
        row << result.value;
        if (!result.problem.isEmpty())
            problems << m_columns[c].name + QStringLiteral(": ") + result.problem;
    }
    for (const QString &problem : std::as_const(problems))
        m_notCarried << rowName(row, index) + QStringLiteral(", ") + problem;
    m_rows << row;
}

void CarriedTable::listUnmatched(const JetTable &source, const QList<int> &matched)
{
    for (int i = 0; i < source.columns.size(); ++i) {
        if (matched.contains(i))
            continue;
        qsizetype values = 0;
        for (const QList<JetTable::Value> &row : source.rows)
            values += row[i].has_value() && !row[i]->isEmpty();
        m_notCarried << QStringLiteral("the column %1, which has %2 %3")
                            .arg(source.columns[i].name)
                            .arg(values)
                            .arg(values == 1 ? QStringLiteral("value") : QStringLiteral("values"));
    }
}

// The row's own number where the table has one, else its place.
QString CarriedTable::rowName(const QVariantList &row, qsizetype index) const
{
    for (qsizetype c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].kind == CarriedValue::Kind::Key && !row[c].isNull())
            return QStringLiteral("%1 %2").arg(m_columns[c].name, row[c].toString());
    return QStringLiteral("row %1").arg(index + 1);
}
