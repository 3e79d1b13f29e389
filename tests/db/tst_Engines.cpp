#include "Connection.h"
#include "PgReader.h"
#include "PgText.h"
#include "PostgresEngine.h"
#include "PostgresServer.h"
#include "RecordNames.h"
#include "Recordset.h"
#include "RowBlock.h"
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

} // namespace

// What the program does with a database runs alike on a file and on a server.
class tst_Engines : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> server;
    QTemporaryDir files;
    int count = 0;
    QString kindsUri; // a table of each type the books use, for the bulk reader

    Database made(bool onServer)
    {
        const QString name = QString("books%1").arg(++count);
        return onServer ? PostgresEngine::server(server->createDatabase(name))
                        : SqliteEngine::file(files.filePath(name + ".db"));
    }

    // Every row of the statement, each cell as its value and the block's kind of it.
    QStringList cells(const QString &sql, const QVariantList &parameters, QString *error)
    {
        PgReader reader(kindsUri);
        QStringList read;
        const auto readAll = [&](QString *error) {
            if (!reader.prepare(sql, parameters, error))
                return false;
            RowBlock rows(reader.columnNames().size());
            RowReader::Step step;
            while ((step = reader.step()) == RowReader::Step::Row)
                reader.appendRow(&rows);
            for (qsizetype row = 0; row < rows.rows(); ++row)
                for (qsizetype column = 0; column < rows.columns(); ++column) {
                    const QVariant value = rows.value(row, column);
                    read << (value.isNull() ? "null" : QString("%1 %2").arg(value.typeName(), value.toString()));
                }
            return step == RowReader::Step::Done || reader.failed(error);
        };
        return reader.inReadTransaction(readAll, error) ? read : QStringList{"failed"};
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<PostgresServer>();
        kindsUri = server->createDatabase("kinds");
        server->execute("kinds", R"(CREATE SCHEMA bramblewood; CREATE TABLE "Kinds" ("Big" bigint, "Small" smallint, "Int" integer,
            "Real" double precision, "Single" real, "Text" text, "Short" varchar(5), "Yes" boolean);
            INSERT INTO "Kinds" VALUES (9007199254740993, -7, 2147483647, 0.1, 1.5, 'Café ''?''', 'abc', true),
                                       (NULL, NULL, NULL, NULL, NULL, NULL, NULL, false))");
    }
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
        QCOMPARE(recordNames(records), (QStringList{"Adams", "Baker", "Carter"}));
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
        QCOMPARE(recordNames(records), QStringList{"Baker"});

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
        QCOMPARE(recordNames(records), (QStringList{"Evans", "Zoe"}));

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
        QCOMPARE(recordNames(records), QStringList{"Carter"});
    }

    void numbered_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("numbered");
        QTest::newRow("in order") << "a = ? AND b < ?" << "a = $1 AND b < $2";
        QTest::newRow("quoted marks stay") << "x = '?' OR \"?\" = ?" << "x = '?' OR \"?\" = $1";
        QTest::newRow("doubled quote") << "x = 'it''s ?' AND y = ?" << "x = 'it''s ?' AND y = $1";
        QTest::newRow("index hints go") << R"(WHERE (+"A" >= ?) AND 1 + "B" = +"C")"
                                        << R"(WHERE ("A" >= $1) AND 1 + "B" = "C")";
    }
    void numbered()
    {
        QFETCH(QString, sql);
        QFETCH(QString, numbered);
        QCOMPARE(PgText::numbered(PgText::withoutIndexHints(sql)), numbered);
    }

    // Each type the books use arrives as the block keeps it, from its binary form.
    void valuesArriveWhole_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("parameters");
        QTest::addColumn<QStringList>("cells");
        const QString all = R"(SELECT "Big", "Small", "Int", "Real", "Single", "Text", "Short", "Yes" FROM "Kinds" )";
        QTest::newRow("values") << all + "WHERE \"Yes\"" << QVariantList()
                                << QStringList{"qlonglong 9007199254740993", "qlonglong -7", "qlonglong 2147483647",
                                               "double 0.1", "double 1.5", "QString Café '?'", "QString abc",
                                               "qlonglong -1"};
        QTest::newRow("nulls") << all + "WHERE NOT \"Yes\"" << QVariantList()
                               << QStringList{"null", "null", "null", "null", "null", "null", "null", "qlonglong 0"};
        QTest::newRow("parameters") << R"(SELECT "Short" FROM "Kinds" WHERE "Text" = ? AND "Big" > ? AND "Real" < ?)"
                                    << QVariantList{"Café '?'", 1, 0.5} << QStringList{"QString abc"};
    }
    void valuesArriveWhole()
    {
        QFETCH(QString, sql);
        QFETCH(QVariantList, parameters);
        QFETCH(QStringList, cells);
        QString error;
        QCOMPARE(this->cells(sql, parameters, &error), cells);
    }

    // A statement the server refuses says why, and the connection goes on.
    void refusalIsTold()
    {
        QString error;
        QCOMPARE(cells("SELECT nothing FROM \"Kinds\"", {}, &error), QStringList{"failed"});
        QVERIFY2(error.contains("nothing"), qPrintable(error));
        QCOMPARE(cells("SELECT 1", {}, &error), QStringList{"qlonglong 1"});
        PgReader unreachable(QString(kindsUri).replace("/kinds?", "/gone?"));
        QVERIFY(!unreachable.inReadTransaction([](QString *) { return true; }, &error));
        QVERIFY2(error.contains("\"gone\" does not exist"), qPrintable(error));
    }

    // The count and the rows come from one moment, even while another desk
    // commits in between; a statement left before its end lets the next run.
    void oneMomentAndStatementsLeftEarly()
    {
        PgReader reader(kindsUri);
        QString error;
        qint64 before = 0, after = 0, firstBig = 0;
        QVERIFY2(reader.inReadTransaction([&](QString *error) {
            if (!reader.number("SELECT count(*) FROM \"Kinds\"", {}, &before, error))
                return false;
            server->execute("kinds", R"(INSERT INTO "Kinds" ("Yes") VALUES (true))");
            if (!reader.prepare(R"(SELECT "Big" FROM "Kinds" ORDER BY "Big")", {}, error) ||
                reader.step() != RowReader::Step::Row)
                return false;
            firstBig = reader.integer(0);
            return reader.number("SELECT count(*) FROM \"Kinds\"", {}, &after, error);
        }, &error), qPrintable(error));
        server->execute("kinds", R"(DELETE FROM "Kinds" WHERE "Text" IS NULL AND "Yes")");
        QCOMPARE(after, before);
        QCOMPARE(firstBig, 9007199254740993);
    }
};

QTEST_GUILESS_MAIN(tst_Engines)
#include "tst_Engines.moc"
