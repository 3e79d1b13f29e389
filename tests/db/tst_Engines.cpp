#include "Connection.h"
#include "PostgresEngine.h"
#include "PostgresServer.h"
#include "Recordset.h"
#include "Schema.h"
#include "SqliteEngine.h"
#include "TableReader.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The same table as each engine makes it: a number of the database's making
// continued from the Access file's, a name and an amount.
const QStringList sqliteTable{
    R"(CREATE TABLE "Entries" ("Number" INTEGER PRIMARY KEY AUTOINCREMENT, "Name" TEXT, "Amount" REAL))",
    R"(CREATE INDEX "EntriesByName" ON "Entries" ("Name"))"};
const QStringList serverTable{
    R"(CREATE TABLE "Entries" ("RowId" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, "Number" bigserial UNIQUE,
                               "Name" text, "Amount" double precision))",
    R"(CREATE INDEX "EntriesByName" ON "Entries" ("Name"))"};

bool run(const Database &database, const QString &statement)
{
    Connection connection(database);
    QString error;
    return connection.open(&error) && QSqlQuery(connection.database()).exec(statement);
}

qint64 rowidOf(const Database &database, const QString &name)
{
    Connection connection(database);
    QString error;
    QSqlQuery query(connection.open(&error) ? connection.database() : QSqlDatabase());
    query.prepare(QString(R"(SELECT %1 FROM "Entries" WHERE "Name" = ?)").arg(database.engine->rowId()));
    query.addBindValue(name);
    return query.exec() && query.next() ? query.value(0).toLongLong() : -1;
}

QStringList names(Recordset &records)
{
    QStringList names;
    for (records.moveFirst(); !records.isEOF(); records.moveNext())
        names << records.field("Name").toString();
    return names;
}

} // namespace

// What the program does with a database runs alike on a file and on a server.
class tst_Engines : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> server;
    QTemporaryDir files;
    int count = 0;

    Database made(bool onServer)
    {
        const QString name = QString("books%1").arg(++count);
        return onServer ? PostgresEngine::server(server->createDatabase(name))
                        : SqliteEngine::file(files.filePath(name + ".db"));
    }

private slots:
    void initTestCase() { server = std::make_unique<PostgresServer>(); }
    void cleanupTestCase() { server.reset(); }

    void recordsetSteps_data()
    {
        QTest::addColumn<bool>("onServer");
        QTest::newRow("SQLite file") << false;
        QTest::newRow("PostgreSQL server") << true;
    }
    void recordsetSteps()
    {
        QFETCH(bool, onServer);
        const Database database = made(onServer);
        QString error;
        const auto numbered = [&](const QSqlDatabase &db, QString *error) {
            return database.engine->continueKeys(db, "Entries", "Number", 41, error);
        };
        QVERIFY2(Schema::create(database, onServer ? serverTable : sqliteTable, &error, numbered), qPrintable(error));
        Recordset records(database, "SELECT * FROM Entries ORDER BY Name ASC");
        QVERIFY2(records.open(&error), qPrintable(error));
        QVERIFY(records.isBOF() && records.isEOF());
        for (const char *name : {"Baker", "Adams"}) {
            records.addNew();
            QVERIFY2(records.update({{"Name", name}, {"Amount", 1.5}}, &error), qPrintable(error));
        }
        QCOMPARE(records.field("Number").toLongLong(), 43);
        QCOMPARE(records.fieldNames().contains("RowId"), onServer);
        QVERIFY(!records.update({{"Number", 7}}, &error));
        // Another desk adds a row; reading afresh drops an unsaved new one.
        QVERIFY(run(database, R"(INSERT INTO "Entries" ("Name", "Amount") VALUES ('Carter', 0.1))"));
        records.addNew();
        QVERIFY2(records.refresh(&error), qPrintable(error));
        QStringList walk{records.field("Name").toString()};
        for (auto move : {&Recordset::movePrevious, &Recordset::movePrevious, &Recordset::moveNext, &Recordset::moveLast,
                          &Recordset::moveNext, &Recordset::moveNext, &Recordset::movePrevious}) {
            (records.*move)();
            walk << (records.isBOF() ? "BOF" : records.isEOF() ? "EOF" : records.field("Name").toString());
        }
        QCOMPARE(walk, (QStringList{"Adams", "BOF", "BOF", "Adams", "Carter", "EOF", "EOF", "Carter"}));
        QCOMPARE(names(records), (QStringList{"Adams", "Baker", "Carter"}));
        records.moveFirst();
        const Recordset::Bookmark adams = records.bookmark();
        records.moveLast();
        QVERIFY(records.setBookmark(adams) && records.field("Name") == "Adams");
        records.moveLast();
        QCOMPARE(records.field("Amount").toDouble(), 0.1);
        // Changed elsewhere since it was read: nothing is stored, and the row shows as it is now.
        QVERIFY(run(database, R"(UPDATE "Entries" SET "Amount" = 0.2 WHERE "Name" = 'Carter')"));
        QVERIFY(!records.update({{"Name", "Cart"}}, &error));
        QVERIFY2(error.contains("changed at another desk"), qPrintable(error));
        QCOMPARE(records.field("Amount").toDouble(), 0.2);
        QVERIFY2(records.update({{"Amount", 0.3}}, &error), qPrintable(error));
        QVERIFY(run(database, R"(UPDATE "Entries" SET "Amount" = 0.4 WHERE "Name" = 'Carter')"));
        QVERIFY(!records.deleteCurrent(&error));
        QCOMPARE(records.field("Amount").toDouble(), 0.4);
        QVERIFY(run(database, R"(DELETE FROM "Entries" WHERE "Name" = 'Carter')"));
        QVERIFY(!records.update({{"Amount", 2}}, &error));
        QVERIFY2(error.contains("no longer"), qPrintable(error));
        records.moveFirst();
        QVERIFY2(records.deleteCurrent(&error), qPrintable(error));
        QVERIFY(records.refresh(&error));
        QCOMPARE(names(records), QStringList{"Baker"});

        // Followed row by row, as desks hear of them: a row stored elsewhere
        // stays out until its own notice comes; the current row stays current.
        const qint64 baker = rowidOf(database, "Baker");
        QVERIFY(run(database, R"(INSERT INTO "Entries" ("Name") VALUES ('Davis'), ('Evans'))"));
        QVERIFY(run(database, R"(UPDATE "Entries" SET "Name" = 'Zoe' WHERE "Name" = 'Baker')"));
        records.moveFirst();
        QVERIFY2(records.follow({baker, rowidOf(database, "Davis")}, &error), qPrintable(error));
        QCOMPARE(records.field("Name"), "Zoe");
        QVERIFY2(records.follow({rowidOf(database, "Evans"), baker}, &error), qPrintable(error));
        const qint64 davis = rowidOf(database, "Davis");
        QVERIFY(run(database, R"(DELETE FROM "Entries" WHERE "Name" = 'Davis')"));
        QVERIFY2(records.follow({davis}, &error), qPrintable(error));
        QCOMPARE(records.field("Name"), "Zoe");
        QCOMPARE(names(records), (QStringList{"Evans", "Zoe"}));

        TableCopy copy;
        QVERIFY2(TableReader::read(database, "Entries", {}, &copy, &error), qPrintable(error));
        QCOMPARE(copy.counted, 2);
        QCOMPARE(copy.rows.rows(), 2);
        Connection connection(database, Engine::Access::ReadOnly);
        QVERIFY(connection.open(&error));
        QCOMPARE(database.engine->nextKey(connection.database(), "Entries"), 47);
        QVERIFY(!QSqlQuery(connection.database()).exec(R"(DELETE FROM "Entries")"));
    }

    // A step during which the server went away stores nothing and says why;
    // the next step connects again and stores.
    void lostConnection()
    {
        const Database database = made(true);
        QString error;
        QVERIFY2(Schema::create(database, serverTable, &error), qPrintable(error));
        Recordset records(database, "Entries");
        QVERIFY(records.open(&error));
        records.addNew();
        QVERIFY(records.update({{"Name", "Adams"}}, &error));
        const auto serverGoes = [&](QSqlDatabase &, QString *) {
            server->restart();
            return true;
        };
        QVERIFY(!records.update({{"Name", "Baker"}}, &error, serverGoes));
        QVERIFY2(error.startsWith("The server could not be reached: ") && error.endsWith("; nothing was stored."),
                 qPrintable(error));
        QVERIFY2(records.update({{"Name", "Carter"}}, &error), qPrintable(error));
        QVERIFY(records.refresh(&error));
        QCOMPARE(names(records), QStringList{"Carter"});
    }
};

QTEST_GUILESS_MAIN(tst_Engines)
#include "tst_Engines.moc"
