#pragma once

#include "CarriedValue.h"
#include "JetTable.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

// An Access table taken into one of ours: columns matched by name in any
// case, every value carried, and listed whatever is not: a column we have
// no place for, a value that does not fit its column.
class CarriedTable
{
public:
    struct Column {
        QString name;
        CarriedValue::Kind kind;
    };

    CarriedTable(const JetTable &source, const QList<Column> &ours);

    // Our columns' values, row by row, in the source's order.
    const QList<QVariantList> &rows() const { return m_rows; }
    const QStringList &notCarried() const { return m_notCarried; }

private:
    void listUnmatched(const JetTable &source, const QList<int> &matched);
    void carryRow(const JetTable &source, const QList<int> &from, qsizetype index);
    QString rowName(const QVariantList &row, qsizetype index) const;

    QList<Column> m_columns;
    QList<QVariantList> m_rows;
    QStringList m_notCarried;
};
