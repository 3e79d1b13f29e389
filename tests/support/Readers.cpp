#include "Readers.h"

#include <QProcess>
#include <QTest>

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(100000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qWarning("%s: %s", qPrintable(program), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

} // namespace

namespace Readers {

QStringList zipEntries(const QString &archive)
{
    return QString::fromUtf8(run(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive}))
        .split(u'\n', Qt::SkipEmptyParts);
}

QByteArray zipEntry(const QString &archive, const QString &entry)
{
    return run(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
}

QString zipComment(const QString &archive)
{
    // unzip -z prints the archive's name on a line of its own first.
    return QString::fromUtf8(run(QStringLiteral("unzip"), {QStringLiteral("-z"), archive}))
        .section(u'\n', 1, 1);
}

QByteArray pdfText(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QByteArray python(const char *script, const QStringList &arguments)
{
    return run(QStringLiteral("/usr/bin/python3"),
               QStringList{QStringLiteral("-c"), QString::fromUtf8(script)} + arguments);
}

QByteArray pythonFile(const QString &script, const QStringList &arguments)
{
    return run(QStringLiteral("/usr/bin/python3"), QStringList{script} + arguments);
}

} // namespace Readers
