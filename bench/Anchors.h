#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QVariantList>

class DataFolder;

// What each figure of the program is set beside: the same work done by the
// plainest means at hand, timed in the same run. Each returns milliseconds.
namespace Anchors {

// One outside command from spawn to exit, its output into the given file;
// one that cannot start or fails ends the run.
double command(const QString &program, const QStringList &arguments,
               const QString &output = QStringLiteral("/dev/null"));

// The sqlite3 shell listing every customer by name.
double listCustomers(const DataFolder &folder);

// cp of the three databases into the folder `into`, sqlite3's VACUUM INTO
// of each there, and sync.
double copyAndVacuum(const DataFolder &folder, const QString &into);

// sqlite3 -csv of every customer, in the table's order, into the file.
double customersToCsv(const DataFolder &folder, const QString &csv);

// zip -9 of the files of the data folder into a new archive.
double zipNine(const DataFolder &folder, const QStringList &files, const QString &archive);

// A plain QPdfWriter loop drawing the cells of the customer report's detail
// band, one band for each row the report's query returns, in the same font.
double plainReportPdf(const DataFolder &folder, const QVariantList &parameters, const QString &pdf);

// A plain Qt Widgets window, spawned and timed to its first paint as the
// program is.
double emptyWindowFirstPaint(const QProcessEnvironment &environment);

} // namespace Anchors
