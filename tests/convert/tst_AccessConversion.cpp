#include "AccessConversion.h"
#include "ConversionMessages.h"
#include "ConvertFromCommand.h"
#include "JetFixture.h"
#include "PlannedFaults.h"
#include "TempDataFolder.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every file and folder under root with its bytes: the folder as it is.
QMap<QString, QByteArray> contents(const QString &root)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        found[file.fileName().mid(root.size())] = file.open(QIODevice::ReadOnly) ? file.readAll() : "folder";
    }
    return found;
}

// The conversion of the folder in place, with its report or the reason it failed.
bool convert(const TempDataFolder &folder, QString *text, const QString &reader = JET_READER,
             Faults &faults = Faults::none())
{
    AccessConversion conversion(folder.path(), folder.folder(faults), reader, QDate(2026, 12, 6));
    const bool converted = conversion.survey(text) && conversion.run(text);
    if (converted)
        *text = ConversionMessages::report(conversion, "/originals");
    return converted;
}

// What an expected value of an Access column must be in ours.
QVariant ours(const QJsonValue &value, const QString &column, int type)
{
    if (column == "Active") // yes is -1, no and no answer 0, whatever the type
        return value.toVariant().toBool() ? -1 : 0;
    if (value.isNull() || type == 8)
        return value.isNull() ? QVariant() : value.toString().left(10); // the date alone
    return type == 5 || type == 7 ? value.toVariant().toDouble() : value.toVariant();
}

// An Access data folder with its side files, as the older program left it.
void writeAccessFolder(const TempDataFolder &folder)
{
    JetFixture::write(folder.path());
    for (const char *side : {"balance.kvd", "income.kvd", "expense.kvd"})
        folder.writeBytes(side, "1\r\n");
}

int convertFrom(const QString &from, const QString &into, QString *out)
{
    QString err;
    QTextStream outStream(out), errStream(&err);
    const int code = ConvertFromCommand::run({from, into}, JET_READER, QDate(2026, 12, 6), outStream, errStream);
    *out += err;
    return code;
}

// --convert-from's conversion into another folder, the faults handed in with it.
bool convertInto(const QString &from, const QString &into, Faults &faults)
{
    QString text;
    return ConvertFromCommand::convert(from, DataFolder(into, faults), JET_READER, QDate(2026, 12, 6), &text);
}

// The child side of a kill row: the conversion until the kill point ends the process.
int killedConvert(char **argv)
{
    PlannedFaults faults;
    faults.endProcessAt(Faults::Step(std::stoi(argv[4])), std::stoi(argv[5]),
                        PlannedFaults::When(std::stoi(argv[6])));
    return convertInto(argv[2], argv[3], faults) ? 0 : 1;
}

} // namespace

class tst_AccessConversion : public QObject
{
    Q_OBJECT
private slots:
    void everyRowArrives_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("next"); // the next new customer's account number
        for (const char *jet : {"3", "4"})
            for (const char *money : {"currency", "double"})
                for (const char *comments : {"memo", "text"})
                    QTest::addRow("Jet %s, %s, %s", jet, money, comments)
                        << QStringList{"--jet", jet, "--money", money, "--comments", comments} << 12;
        QTest::newRow("Active a number, one NULL") << QStringList{"--active", "long"} << 12;
        QTest::newRow("no Active column") << QStringList{"--active", "none", "--jet", "3"} << 12;
        QTest::newRow("counter below the highest Account") << QStringList{"--counter", "5"} << 10;
        // Rows written before a column was added, and before one was deleted.
        QTest::newRow("design changed since the oldest rows") << QStringList{"--design-changed"} << 12;
        QTest::newRow("design changed, Jet 3") << QStringList{"--design-changed", "--jet", "3"} << 12;
    }

    // Every row, in its order, with NULL apart from "", amounts to their
    // limits, dates before 1899 and the time dropped; Active -1 or 0, never
    // NULL; the account numbers kept and the numbering going on after the
    // file's own counter or its highest number; the originals kept byte for
    // byte, and no work file left.
    void everyRowArrives()
    {
        QFETCH(QStringList, options);
        QFETCH(int, next);
        TempDataFolder folder(false);
        const QJsonObject expected = JetFixture::write(folder.path(), options);
        const auto before = contents(folder.path());
        QString report;
        QVERIFY2(convert(folder, &report), qPrintable(report));
        QVERIFY2(report.contains(QString("the next new customer gets the account number %1.").arg(next)),
                 qPrintable(report));
        for (const char *table : {"Customers", "Income", "Expense"}) {
            const QJsonObject access = expected[table].toObject();
            QStringList columns;
            for (const QJsonValue &column : access["columns"].toArray())
                columns << column[0].toString();
            const auto rows = folder.rows(access["file"].toString(), QString("SELECT %1 FROM %2 ORDER BY rowid").arg(columns.join(','), table));
            QCOMPARE(rows.size(), access["rows"].toArray().size());
            for (qsizetype r = 0; r < rows.size(); ++r)
                for (qsizetype c = 0; c < columns.size(); ++c)
                    QCOMPARE(rows[r][c],
                             ours(access["rows"][r][c], columns[c], access["columns"][c][1].toInt()));
        }
        QCOMPARE(folder.value("Customers.mdb", "SELECT count(*) FROM Customers WHERE Active IN (-1, 0)")
                     .toInt(),
                 5);
        folder.execute("Customers.mdb", "INSERT INTO Customers (Name) VALUES ('New')");
        QCOMPARE(folder.value("Customers.mdb", "SELECT max(Account) FROM Customers").toInt(), next);
        for (const QString file : {"Customers.mdb", "Income.mdb", "Expense.mdb"})
            QCOMPARE(folder.bytes("Access originals 2026-12-06/" + file), before["/" + file]);
        QCOMPARE(QDir(folder.path()).entryList({"*.convert*"}), QStringList());
    }

    // A column we have no place for and values that do not fit are listed;
    // the rest of their rows arrives.
    void whatCannotBeCarriedIsListed()
    {
        TempDataFolder folder(false);
        JetFixture::write(folder.path(), {"--unfit"});
        QString report;
        QVERIFY2(convert(folder, &report), qPrintable(report));
        QCOMPARE(report, "The Access databases were converted.\n\n"
                         "Customers.mdb: 5 customers; the next new customer gets the account number 12.\n"
                         "Expense.mdb: 40 entries.\nIncome.mdb: 300 entries.\n\n"
                         "Not carried over, and kept only in the Access files:\n"
                         "Customers.mdb, the column Email, which has 1 value\n"
                         "Customers.mdb, the column Photo, which has 1 value\n"
                         "Customers.mdb, Account 9, DateStarted: a date outside the years 100 to 9999\n"
                         "Expense.mdb, row 3, ExpenseAmount: \"n/a\" is not a number\n\n"
                         "The Access files are kept unchanged in /originals. Changes made in "
                         "Bramblewood do not reach them.");
        QCOMPARE(folder.value("Expense.mdb", "SELECT count(ExpenseAmount) || ' ' || total(ExpenseAmount) "
                                             "FROM Expense").toString(), "39 974.45");
    }

    void refusedWithNothingChanged_data()
    {
        QTest::addColumn<QString>("file"); // none: the folder made read-only
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("bytes"); // written there; none: the file cut there
        QTest::addColumn<QString>("told");
        QTest::addColumn<QStringList>("options"); // of make_jet.py
        QTest::addColumn<QString>("reader");      // a stand-in's shell script; none: the real one
        const QString cannot = "Income.mdb could not be converted: ";
        const QByteArray same("");
        for (const int at : {3 * 4096 + 100, 7 * 4096, 10 * 4096 + 2000})
            QTest::addRow("cut at %d", at) << "Income.mdb" << at << QByteArray() << cannot << QStringList() << "";
        QTest::newRow("a page overwritten") << "Income.mdb" << 7 * 4096 << QByteArray(4096, '\xff') << cannot
                                            << QStringList() << "";
        QTest::newRow("not a database") << "Expense.mdb" << 0 << QByteArray("Hello") << "Expense.mdb is not a database"
                                        << QStringList() << "";
        QTest::newRow("ACE") << "Customers.mdb" << 4 << QByteArray("Standard ACE DB")
                             << "Customers.mdb is in the format of Access 2007 or later" << QStringList() << "";
        QTest::newRow("read-only folder") << "" << 0 << QByteArray() << "Customers.mdb could not be converted: the work file"
                                          << QStringList() << "";
        // What sent libmdb round for ever, or out of the page it read.
        const QString customers = "Customers.mdb could not be converted: ";
        QTest::newRow("a memo's pages in a circle") << "Customers.mdb" << 0 << same
            << customers + "it cannot be read: A value of Comments runs on pages that are damaged." << QStringList{"--loop"} << "";
        QTest::newRow("the map of a table's pages zeroed, Jet 3") << "Income.mdb" << 5 * 2048 << QByteArray(2048, '\0')
            << cannot + "it cannot be read: The table's map of its pages is damaged." << QStringList{"--jet", "3"} << "";
        QTest::newRow("the map of the list of tables pointing astray") << "Income.mdb" << 2 * 4096 + 55 << QByteArray("\x2a")
            << cannot + "it cannot be read: The database's list of its tables is damaged." << QStringList() << "";
        QTest::newRow("a page zeroed") << "Income.mdb" << 5 * 4096 << QByteArray(4096, '\0')
                                       << cannot + "it cannot be read: " << QStringList() << "";
        // A reader that misbehaves however it may is stopped.
        QTest::newRow("a reader that falls silent") << "Customers.mdb" << 0 << same
            << customers + "the program that reads it stopped going on" << QStringList() << "exec sleep 30";
        QTest::newRow("a reader that writes without end") << "Customers.mdb" << 0 << same
            << customers + "reading it gave far more than the file can hold" << QStringList() << "exec yes row";
        QTest::newRow("a reader that breaks down") << "Customers.mdb" << 0 << same
            << customers + "the program that reads it broke down on it" << QStringList() << "kill -SEGV $$";
    }

    // A file that cannot be read whole or is in another format, or a folder
    // that takes no work file, is refused by name within seconds, and
    // nothing changes.
    void refusedWithNothingChanged()
    {
        QFETCH(QString, file);
        QFETCH(int, at);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, told);
        QFETCH(QStringList, options);
        QFETCH(QString, reader);
        TempDataFolder folder(false);
        JetFixture::write(folder.path(), options);
        QByteArray content = folder.bytes(file);
        if (!file.isEmpty())
            folder.writeBytes(file, bytes.isNull() ? content.left(at) : content.replace(at, bytes.size(), bytes));
        // chmod does not hold root back; chattr does not work for others.
        const auto lock = [&](const char *chattr, QFile::Permissions permissions) {
            QProcess::execute("chattr", {chattr, folder.path()});
            QFile::setPermissions(folder.path(), permissions);
        };
        if (file.isEmpty())
            lock("+i", QFile::ReadOwner | QFile::ExeOwner);
        if (file.isEmpty() && QFile(folder.filePath("probe")).open(QIODevice::WriteOnly))
            QSKIP("This file system lets this user write in any folder.");
        QTemporaryDir scripts;
        const QString standIn = scripts.filePath("reader");
        if (!reader.isEmpty()) {
            QFile script(standIn);
            QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\n" + reader.toUtf8() + "\n") > 0);
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        const auto before = contents(folder.path());
        QString error;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!convert(folder, &error, reader.isEmpty() ? QString(JET_READER) : standIn));
        QVERIFY(timer.elapsed() < 10000);
        const auto after = contents(folder.path());
        lock("-i", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(error.startsWith(told), qPrintable(error));
        QCOMPARE(after, before);
    }

    // A failure at any step of putting the converted files in place (each
    // original copied aside, each rename) puts back what had changed.
    void failureWhileReplacingLeavesFolderAsItWas()
    {
        TempDataFolder jet(false);
        JetFixture::write(jet.path(), {"--jet", "3"});
        for (const Faults::Step step : {Faults::Step::Write, Faults::Step::Sync, Faults::Step::Rename}) {
            for (int nth = 1;; ++nth) {
                TempDataFolder folder(false);
                for (const QString &name : QDir(jet.path()).entryList(QDir::Files))
                    QFile::copy(jet.filePath(name), folder.filePath(name));
                const auto before = contents(folder.path());
                PlannedFaults faults;
                faults.failAt(step, nth);
                QString error;
                const bool converted = convert(folder, &error, JET_READER, faults);
                if (converted)
                    break;
                QCOMPARE(error, "The converted databases could not take the place of the Access files: "
                                "A failure was injected for the test.");
                QCOMPARE(contents(folder.path()), before);
            }
        }
    }

    // --convert-from killed after or before any rename it makes: the next
    // --convert-from into the folder removes what it wrote and converts again.
    void killedConversionIsDoneAgain()
    {
        TempDataFolder from(false);
        writeAccessFolder(from);
        QList<QStringList> points; // step, nth, when
        {
            TempDataFolder into(false);
            PlannedFaults counted;
            QVERIFY(convertInto(from.path(), into.path(), counted));
            for (int nth = 1; nth <= counted.runs(Faults::Step::Rename); ++nth)
                for (const char *when : {"0", "1"})
                    points.append({QString::number(int(Faults::Step::Rename)), QString::number(nth), when});
        }
        QCOMPARE(points.size(), 14); // the mark, three side files, three databases
        for (const QStringList &point : points) {
            TempDataFolder into(false);
            const int code = QProcess::execute(QCoreApplication::applicationFilePath(),
                                               QStringList{"--killed-convert", from.path(), into.path()} + point);
            QVERIFY2(code == PlannedFaults::exitCode || code == 0, qPrintable(point.join(' ')));
            QString out;
            QCOMPARE(convertFrom(from.path(), into.path(), &out), code == 0 ? 1 : 0);
            QCOMPARE(into.folder().missingFiles(), QStringList{"pw.kvd"});
            QCOMPARE(into.storedCount("Income"), 300);
            QCOMPARE(QDir(into.path()).entryList({"*.unfinished", "*.convert"}), QStringList());
        }
    }

    // Converting into another folder leaves the Access folder as it is and
    // brings its side files along; a folder that holds data is refused.
    void convertFromAnotherFolder()
    {
        TempDataFolder from(false), into(false);
        writeAccessFolder(from);
        const auto before = contents(from.path());
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        QCOMPARE(ConvertFromCommand::run({from.path(), into.path()}, JET_READER, QDate(2026, 12, 6), outStream, errStream), 0);
        QCOMPARE(contents(from.path()), before);
        QCOMPARE(into.folder().missingFiles(), QStringList{"pw.kvd"});
        QCOMPARE(into.storedCount("Income"), 300);
        QVERIFY(out.contains("The Access files are kept unchanged in " + from.path()));
        QCOMPARE(ConvertFromCommand::run({from.path(), into.path()}, JET_READER, QDate(2026, 12, 6), outStream, errStream), 1);
        QVERIFY(err.startsWith("The data folder " + into.path() + " already holds data files"));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 7 && QByteArray(argv[1]) == "--killed-convert")
        return killedConvert(argv);
    tst_AccessConversion test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_AccessConversion.moc"
