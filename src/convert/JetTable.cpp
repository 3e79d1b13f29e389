#include "JetTable.h"

#include <QFileInfo>
#include <QProcess>

namespace {

// A damaged file may send the reader round in circles.
constexpr int longestRead = 5 * 60 * 1000;

JetTable::Value unescaped(const QByteArray &field)
{
    if (field == "\\N")
        return std::nullopt;
    QByteArray text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\' || ++i == field.size()) {
            text += c;
            continue;
        }
        const char escaped = field[i];
        text += escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped;
    }
    // Never a null string: that would be stored as NULL, not as "".
    const QString value = QString::fromUtf8(text);
    return value.isNull() ? QStringLiteral("") : value;
}

qint64 number(const QByteArray &field, bool *ok)
{
    bool read = false;
    const qint64 value = field.toLongLong(&read);
    *ok = *ok && read;
    return value;
}

std::optional<JetTable> parse(const QByteArray &output)
{
    QList<QByteArray> lines = output.split('\n');
    if (lines.size() < 3 || !lines.takeLast().isEmpty())
        return std::nullopt;
    const QList<QByteArray> head = lines.takeFirst().split('\t');
    const QList<QByteArray> end = lines.takeLast().split('\t');
    if (head.size() != 4 || head[0] != "table" || end.size() != 2 || end[0] != "end")
        return std::nullopt;
    JetTable table;
    bool ok = true;
    table.storedRows = number(head[2], &ok);
    table.lastAutoNumber = number(head[3], &ok);
    for (const QByteArray &line : std::as_const(lines)) {
        QList<QByteArray> fields = line.split('\t');
        const QByteArray kind = fields.takeFirst();
        if (kind == "column" && fields.size() == 2 && table.rows.isEmpty()) {
            table.columns.append({unescaped(fields[0]).value_or(QString()), int(number(fields[1], &ok))});
        } else if (kind == "row" && fields.size() == table.columns.size()) {
            QList<JetTable::Value> row;
            for (const QByteArray &field : std::as_const(fields))
                row.append(unescaped(field));
            table.rows.append(row);
        } else {
            return std::nullopt;
        }
    }
    if (!ok || number(end[1], &ok) != table.rows.size() || !ok)
        return std::nullopt;
    return table;
}

} // namespace

std::optional<JetTable> JetTable::read(const QString &reader, const QString &path,
                                       const QString &table, QString *error)
{
    QProcess process;
    process.start(reader, {QFileInfo(path).absoluteFilePath(), table});
    if (!process.waitForStarted()) {
        *error = QStringLiteral("the program that reads Access files, %1, cannot be started: %2")
                     .arg(reader, process.errorString());
        return std::nullopt;
    }
    if (!process.waitForFinished(longestRead)) {
        process.kill();
        process.waitForFinished();
        *error = QStringLiteral("reading it took longer than five minutes; it may be damaged");
        return std::nullopt;
    }
    const QString complaint = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    std::optional<JetTable> read;
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 && complaint.isEmpty())
        read = parse(process.readAllStandardOutput());
    if (!read)
        *error = complaint.isEmpty()
                     ? QStringLiteral("it cannot be read to its end; it may be damaged")
                     : QStringLiteral("it cannot be read: %1").arg(complaint);
    return read;
}
