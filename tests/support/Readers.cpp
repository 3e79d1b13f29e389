#include "Readers.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryFile>
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

QByteArray pdfText(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QString pdfTitle(const QString &pdf)
{
    for (const QByteArray &line : run(QStringLiteral("pdfinfo"), {pdf}).split('\n'))
        if (line.startsWith("Title:"))
            return QString::fromUtf8(line.mid(6).trimmed());
    return {};
}

QVariantMap workbook(const QByteArray &file, const char *kind)
{
    QTemporaryFile out;
    if (!out.open() || out.write(file) != file.size() || !out.flush())
        return {{"log", out.errorString()}};
    // /usr/bin/python3 has Debian's xlrd; the python3 on the PATH need not.
    const QByteArray read = run(QStringLiteral("/usr/bin/python3"),
                                {QStringLiteral(TEST_SUPPORT_DIR "/read_workbook.py"),
                                 out.fileName(), QString::fromLatin1(kind)});
    QJsonParseError parsing;
    const QJsonDocument result = QJsonDocument::fromJson(read, &parsing);
    return parsing.error ? QVariantMap{{"log", parsing.errorString()}} : result.toVariant().toMap();
}

} // namespace Readers
