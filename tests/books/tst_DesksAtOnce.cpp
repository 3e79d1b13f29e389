#include "DataFiles.h"
#include "LedgerDesk.h"
#include "MoveToServer.h"
#include "PlannedFaults.h"
#include "PostgresServer.h"
#include "TempDataFolder.h"

#include <QTest>
#include <memory>

// Desks stepping on one set of books at once, or killed in the middle of a
// step: the stored balance is always the opening balance and the stored
// incomes less the stored expenses; no step is lost, none deadlocks.
class tst_DesksAtOnce : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> server;
    int made = 0;

    QString books()
    {
        const QString uri = server->createDatabase(QString("books%1").arg(++made));
        TempDataFolder folder;
        folder.writeBytes(DataFiles::balance, "100\r\n");
        MoveToServer::run(folder.folder(), uri, QDate(2031, 2, 3));
        return uri;
    }

private slots:
    void initTestCase() { server = std::make_unique<PostgresServer>(); }
    void cleanupTestCase() { server.reset(); }

    void stepsAtOnceKeepTheBalance()
    {
        const QString uri = books();
        const auto first = LedgerDesk::start(uri, 1, 150), second = LedgerDesk::start(uri, 2, 150);
        qint64 entries = 0;
        for (QProcess *desk : {first.get(), second.get()}) {
            QVERIFY(desk->waitForFinished(60000) && desk->exitCode() == 0);
            const QList<QByteArray> stored = desk->readAllStandardOutput().split(' ');
            entries += stored.value(0).toLongLong() - stored.value(1).toLongLong();
        }
        const LedgerDesk::Books books = LedgerDesk::read(uri, 100);
        QCOMPARE(books.balance, books.fromRows);
        QCOMPARE(books.entries, entries);
        QVERIFY(entries > 0);
    }

    void killedMidStep_data()
    {
        QTest::addColumn<int>("crashAt"); // the commit, before or after which the desk ends
        for (int crashAt : {1, 4, 9})
            QTest::addRow("at commit %d", crashAt) << crashAt;
    }
    void killedMidStep()
    {
        QFETCH(int, crashAt);
        const QString uri = books();
        const auto killed = LedgerDesk::start(uri, crashAt, 30, crashAt), other = LedgerDesk::start(uri, crashAt + 100, 30);
        QVERIFY(killed->waitForFinished(60000) && other->waitForFinished(60000));
        QCOMPARE(killed->exitCode(), PlannedFaults::exitCode);
        const LedgerDesk::Books books = LedgerDesk::read(uri, 100);
        QCOMPARE(books.balance, books.fromRows);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == LedgerDesk::argument)
        return LedgerDesk::run(argc, argv);
    tst_DesksAtOnce test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_DesksAtOnce.moc"
