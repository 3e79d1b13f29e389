#include "JetTable.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace {

// Longer than the reader ever takes between two rows, or to open a file.
constexpr qint64 longestSilence = 5000;
constexpr int checkEvery = 50;

// The most a sound file's table can make: every byte of the file written out
// several times over (as hex, escaped, or its text widened), and some room.
qint64 mostOutputOf(const QString &path)
{
    return 8 * QFileInfo(path).size() + (qint64(16) << 20);
}

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
        text += escaped == 't'   ? '\t'
                : escaped == 'n' ? '\n'
                : escaped == 'r' ? '\r'
                : escaped == '0' ? '\0'
                                 : escaped;
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

// What the reader writes, as it comes: its output and its complaints, of
// which the first lines say enough.
struct Written {
    QByteArray output, complaints;

    // False when nothing came.
    bool take(QProcess &process)
    {
        const QByteArray more = process.readAllStandardOutput();
        const QByteArray said = process.readAllStandardError();
        output += more;
        complaints += said.left(std::max<qsizetype>(0, 4096 - complaints.size()));
        return !more.isEmpty() || !said.isEmpty();
    }
};

// Waits for the reader to finish; false, with the reason, when it has to be
// stopped.
bool readToTheEnd(QProcess &process, qint64 most, const JetTable::KeepGoing &keepGoing,
                  Written *written, QString *error)
{
    QElapsedTimer silent;
    silent.start();
    while (!process.waitForFinished(checkEvery)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (written->take(process))
            silent.restart();
        if (keepGoing && !keepGoing())
            *error = QStringLiteral("the conversion was cancelled");
        else if (written->output.size() > most)
            *error = QStringLiteral("reading it gave far more than the file can hold; it is damaged");
        else if (silent.elapsed() > longestSilence)
            *error = QStringLiteral("the program that reads it stopped going on; it is damaged");
        else
            continue;
        process.kill();
        process.waitForFinished();
        return false;
    }
    written->take(process);
    return true;
}

} // namespace

std::optional<JetTable> JetTable::read(const QString &reader, const QString &path,
                                       const QString &table, const KeepGoing &keepGoing,
                                       QString *error)
{
    QProcess process;
    process.start(reader, {QFileInfo(path).absoluteFilePath(), table});
    if (!process.waitForStarted()) {
        *error = QStringLiteral("the program that reads Access files, %1, cannot be started: %2")
                     .arg(reader, process.errorString());
        return std::nullopt;
    }
    Written written;
    if (!readToTheEnd(process, mostOutputOf(path), keepGoing, &written, error))
        return std::nullopt;
    const QString complaint = QString::fromLocal8Bit(written.complaints).trimmed();
    std::optional<JetTable> read;
    const bool ended = process.exitStatus() == QProcess::NormalExit;
    if (ended && process.exitCode() == 0 && complaint.isEmpty())
        read = parse(written.output);
    if (read)
        return read;
    if (!complaint.isEmpty())
        *error = QStringLiteral("it cannot be read: %1").arg(complaint);
    else if (!ended)
        *error = QStringLiteral("the program that reads it broke down on it; it is damaged");
    else
        *error = QStringLiteral("what it holds could not be read to its end; it may be damaged");
    return read;
}
