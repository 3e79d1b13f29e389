#include "PgReader.h"
#include "PgText.h"
#include "PostgresServer.h"
#include "RowBlock.h"

#include <QTest>
#include <memory>

class tst_PgReader : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> server;
    QString uri;

    // Every row of the statement, each cell as its value and the block's kind of it.
    QStringList cells(const QString &sql, const QVariantList &parameters, QString *error)
    {
        PgReader reader(uri);
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
        uri = server->createDatabase("books");
        server->execute("books", R"(CREATE SCHEMA bramblewood; CREATE TABLE "Kinds" ("Big" bigint, "Small" smallint, "Int" integer,
            "Real" double precision, "Single" real, "Text" text, "Short" varchar(5), "Yes" boolean);
            INSERT INTO "Kinds" VALUES (9007199254740993, -7, 2147483647, 0.1, 1.5, 'Café ''?''', 'abc', true),
                                       (NULL, NULL, NULL, NULL, NULL, NULL, NULL, false))");
    }
    void cleanupTestCase() { server.reset(); }

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
        PgReader unreachable(QString(uri).replace("/books?", "/gone?"));
        QVERIFY(!unreachable.inReadTransaction([](QString *) { return true; }, &error));
        QVERIFY2(error.contains("\"gone\" does not exist"), qPrintable(error));
    }

    // The count and the rows come from one moment, even while another desk
    // commits in between; a statement left before its end lets the next run.
    void oneMomentAndStatementsLeftEarly()
    {
        PgReader reader(uri);
        QString error;
        qint64 before = 0, after = 0, firstBig = 0;
        QVERIFY2(reader.inReadTransaction([&](QString *error) {
            if (!reader.number("SELECT count(*) FROM \"Kinds\"", {}, &before, error))
                return false;
            server->execute("books", R"(INSERT INTO "Kinds" ("Yes") VALUES (true))");
            if (!reader.prepare(R"(SELECT "Big" FROM "Kinds" ORDER BY "Big")", {}, error) ||
                reader.step() != RowReader::Step::Row)
                return false;
            firstBig = reader.integer(0);
            return reader.number("SELECT count(*) FROM \"Kinds\"", {}, &after, error);
        }, &error), qPrintable(error));
        server->execute("books", R"(DELETE FROM "Kinds" WHERE "Text" IS NULL AND "Yes")");
        QCOMPARE(after, before);
        QCOMPARE(firstBig, 9007199254740993);
    }
};

QTEST_GUILESS_MAIN(tst_PgReader)
#include "tst_PgReader.moc"
