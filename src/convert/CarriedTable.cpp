#include "CarriedTable.h"

CarriedTable::CarriedTable(const JetTable &source, const QList<Column> &ours) : m_columns(ours)
{
    // For each of our columns, the source column of that name, or -1.
    QList<int> from;
    for (const Column &column : ours) {
        int match = -1;
        for (int i = 0; i < source.columns.size() && match < 0; ++i)
            if (source.columns[i].name.compare(column.name, Qt::CaseInsensitive) == 0)
                match = i;
        from << match;
    }
    listUnmatched(source, from);
    for (qsizetype r = 0; r < source.rows.size(); ++r) {
        QVariantList row;
        QStringList problems;
        for (qsizetype c = 0; c < ours.size(); ++c) {
            const int i = from[c];
            const JetTable::Value none;
            const auto result = CarriedValue::carry(i < 0 ? none : source.rows[r][i],
                                                    i < 0 ? JetTable::Text : source.columns[i].type,
                                                    ours[c].kind);
            row << result.value;
            if (!result.problem.isEmpty())
                problems << ours[c].name + QStringLiteral(": ") + result.problem;
        }
        for (const QString &problem : std::as_const(problems))
            m_notCarried << rowName(row, r) + QStringLiteral(", ") + problem;
        m_rows << row;
    }
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
