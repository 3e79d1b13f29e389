#include "MaintenanceRows.h"

#include "Anchors.h"
#include "CustomerExport.h"
#include "DataFolder.h"
#include "ExitSequence.h"
#include "FloppyBackup.h"
#include "Require.h"
#include "StandIns.h"
#include "cZip.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

double exportCustomers(const DataFolder &folder)
{
    QString error;
    qsizetype cut = 0;
    QElapsedTimer timer;
    timer.start();
    require(CustomerExport::run(folder, &cut, &error), QStringLiteral("The export failed: ") + error);
    return millisecondsSince(timer);
}

// The archive only: with no medium the backup stops once Backup.zip is built.
double zipBackup(const DataFolder &folder)
{
    cZip component;
    QElapsedTimer timer;
    timer.start();
    const FloppyBackup::Result backup =
        FloppyBackup::run(component, folder, QString(), QDate::currentDate());
    const double elapsed = millisecondsSince(timer);
    require(backup.outcome == FloppyBackup::Outcome::NoMedium,
            QStringLiteral("The backup failed: ") + backup.error);
    return elapsed;
}

double zipNine(const DataFolder &folder, const QString &archive)
{
    QFile::remove(archive); // zip would add to an old archive
    QStringList missing;
    const QStringList files = FloppyBackup::files(folder, &missing);
    require(missing.isEmpty(), QStringLiteral("Missing from the data folder: ") + missing.join(u' '));
    return Anchors::zipNine(folder, files, archive);
}

// The notice that the databases will be compacted is the one box a sound exit shows.
double exitSequence(const DataFolder &folder)
{
    RecordingMessageBox messages;
    QElapsedTimer timer;
    timer.start();
    ExitSequence::run(folder, messages, nullptr, {});
    const double elapsed = millisecondsSince(timer);
    require(messages.shown.size() == 1, QStringLiteral("The exit showed: ") + messages.shown.join(u' '));
    return elapsed;
}

double copyAndVacuum(const DataFolder &folder, const QString &workRoot)
{
    QTemporaryDir into(QDir(workRoot).filePath(QStringLiteral("copy-XXXXXX")));
    require(into.isValid(), into.errorString());
    return Anchors::copyAndVacuum(folder, into.path());
}

} // namespace

QList<Row> maintenanceRows(const DataFolder &folder, const DataFolder &exportFolder, int customers)
{
    const int rounds = roundsFor(customers);
    const QTemporaryDir work;
    require(work.isValid(), work.errorString());
    const QString csv = work.filePath(QStringLiteral("Customers.csv"));
    const QString archive = work.filePath(QStringLiteral("Compare.zip"));
    QList<Row> rows{
        Row(QStringLiteral("export"), customers, Goal::atMost(700, QStringLiteral("ms")),
            alternate(rounds, [&] { return exportCustomers(exportFolder); },
                      [&] { return Anchors::customersToCsv(exportFolder, csv); })),
        Row(QStringLiteral("zip backup"), customers, Goal::timesAnchor(1.0),
            alternate(rounds, [&] { return zipBackup(folder); }, [&] { return zipNine(folder, archive); })),
        // Last: it compacts the databases that the others read.
        Row(QStringLiteral("exit sequence"), customers, Goal::timesAnchor(1.5),
            alternate(rounds, [&] { return exitSequence(folder); },
                      [&] { return copyAndVacuum(folder, work.path()); }))};
    if (customers > 65535)
        rows.first().note = QStringLiteral("the first 65,535 customers, as many as a worksheet takes");
    return rows;
}
