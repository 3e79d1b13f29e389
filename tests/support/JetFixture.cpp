#include "JetFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

namespace JetFixture {

QJsonObject write(const QString &folder, const QStringList &options)
{
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  QStringList{QStringLiteral(TEST_SUPPORT_DIR "/make_jet.py"), folder} + options);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("make_jet.py: %s", process.readAllStandardError().constData());
    QFile expected(QDir(folder).filePath(QStringLiteral("expected.json")));
    if (!expected.open(QIODevice::ReadOnly))
        qFatal("make_jet.py wrote no expected.json");
    const QJsonObject tables = QJsonDocument::fromJson(expected.readAll()).object();
    expected.remove();
    return tables;
}

} // namespace JetFixture
