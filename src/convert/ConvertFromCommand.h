#pragma once

#include "DataFolder.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>

// bramblewood --convert-from FOLDER [DATA-FOLDER]: converts the Access data
// folder FOLDER, which is left as it is, into DATA-FOLDER (the current folder
// when none is given), which must hold none of the data files yet; the side
// files are copied along. No window: the report goes to out, a refusal to
// err, and the result is the exit code.
namespace ConvertFromCommand {

// Converts the Access data folder `from` into `into`, which holds none of the
// data files, first undoing what a conversion into it that stopped before it
// finished had written. The text is the report, or why it was refused.
bool convert(const QString &from, const DataFolder &into, const QString &reader, const QDate &today,
             QString *text);

int run(const QStringList &arguments, const QString &reader, const QDate &today, QTextStream &out,
        QTextStream &err);
// With the reader beside the program, on stdout and stderr.
int run(const QStringList &arguments, const QDate &today);

} // namespace ConvertFromCommand
