#include "Anchors.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "HelperProcess.h"
#include "ReportCommands.h"
#include "ReportDefinitions.h"
#include "ReportPaper.h"
#include "Require.h"
#include "Rounds.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString quotedForSql(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

struct Cell {
    QRect box;
    int column = -1; // -1: a label's own text
    QString text;
    bool twoDecimals = false;
};

QList<Cell> detailCells(const QSqlRecord &record)
{
    const ReportDefinition report = ReportDefinitions::customerReport();
    QList<Cell> cells;
    for (const ReportControl &control : report.detail.controls) {
        const bool label = control.kind == ReportControl::Kind::Label;
        cells.append({QRect(report.marginLeftRight + control.left, 0, control.width, report.detail.height),
                      label ? -1 : record.indexOf(control.text), label ? control.text : QString(),
                      control.format == FieldFormat::Money});
    }
    return cells;
}

void drawRows(QSqlQuery &query, QPdfWriter &writer)
{
    const ReportDefinition report = ReportDefinitions::customerReport();
    QPainter painter(&writer);
    require(painter.isActive(), QStringLiteral("The PDF could not be drawn."));
    const double scale = writer.logicalDpiX() / 1440.0; // twips to dots
    painter.scale(scale, scale);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qRound(8.25 * 20));
    painter.setFont(font);
    const QList<Cell> cells = detailCells(query.record());
    const int bottom = ReportPaper::inTwips(writer.pageLayout()).height() - report.marginTopBottom;
    int top = report.marginTopBottom;
    while (query.next()) {
        if (top + report.detail.height > bottom) {
            writer.newPage();
            top = report.marginTopBottom;
        }
        for (const Cell &cell : cells) {
            const QVariant value = cell.column < 0 ? QVariant(cell.text) : query.value(cell.column);
            const QString text =
                cell.twoDecimals ? QString::number(value.toDouble(), 'f', 2) : value.toString();
            painter.drawText(cell.box.translated(0, top), Qt::AlignLeft | Qt::AlignTop, text);
        }
        top += report.detail.height;
    }
}

} // namespace

namespace Anchors {

double command(const QString &program, const QStringList &arguments, const QString &output)
{
    QProcess process;
    process.setStandardOutputFile(output);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const bool finished = process.waitForFinished(-1);
    const double elapsed = millisecondsSince(timer);
    require(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QStringLiteral("%1 %2 failed (is it installed? scripts/install-deps.sh installs it): %3 %4")
                .arg(program, arguments.join(u' '), process.errorString(),
                     QString::fromLocal8Bit(process.readAllStandardError()).trimmed()));
    return elapsed;
}

double listCustomers(const DataFolder &folder)
{
    return command(QStringLiteral("sqlite3"),
                   {folder.filePath(DataFiles::customers),
                    QStringLiteral("SELECT * FROM Customers ORDER BY Name")});
}

double copyAndVacuum(const DataFolder &folder, const QString &into)
{
    QStringList files;
    for (const DataFiles::Database &database : DataFiles::databases())
        files << folder.filePath(database.file);
    QElapsedTimer timer;
    timer.start();
    command(QStringLiteral("cp"), files + QStringList{into});
    for (const DataFiles::Database &database : DataFiles::databases())
        command(QStringLiteral("sqlite3"),
                {folder.filePath(database.file),
                 QStringLiteral("VACUUM INTO ") + quotedForSql(QDir(into).filePath(database.table))});
    command(QStringLiteral("sync"), {});
    return millisecondsSince(timer);
}

double customersToCsv(const DataFolder &folder, const QString &csv)
{
    return command(QStringLiteral("sqlite3"),
                   {QStringLiteral("-csv"), QStringLiteral("-header"),
                    folder.filePath(DataFiles::customers), QStringLiteral("SELECT * FROM Customers")},
                   csv);
}

double zipNine(const DataFolder &folder, const QStringList &files, const QString &archive)
{
    QStringList paths;
    for (const QString &file : files)
        paths << folder.filePath(file);
    // -j keeps bare names in the archive, as the backup does.
    return command(QStringLiteral("zip"), QStringList{QStringLiteral("-9"), QStringLiteral("-q"),
                                                      QStringLiteral("-j"), archive} + paths);
}

double plainReportPdf(const DataFolder &folder, const QVariantList &parameters, const QString &pdf)
{
    const QString connection = QStringLiteral("bench-plain-report");
    double elapsed = 0;
    {
        QElapsedTimer timer;
        timer.start();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(folder.filePath(DataFiles::customers));
        require(db.open(), db.lastError().text());
        QSqlQuery query(db);
        query.setForwardOnly(true);
        require(query.prepare(ReportCommands::customers.rows), query.lastError().text());
        for (const QVariant &parameter : parameters)
            query.addBindValue(parameter);
        require(query.exec(), query.lastError().text());
        {
            QPdfWriter writer(pdf);
            writer.setPageLayout(ReportPaper::pageLayout(ReportPaper::defaultSize(), true));
            drawRows(query, writer);
        }
        elapsed = millisecondsSince(timer);
    }
    QSqlDatabase::removeDatabase(connection);
    return elapsed;
}

double emptyWindowFirstPaint(const QProcessEnvironment &environment)
{
    return runHelper({QStringLiteral("empty")}, environment).milliseconds;
}

} // namespace Anchors
