#include "FixedClock.h"
#include "RunningBalance.h"
#include "TempDataFolder.h"

#include <QSignalSpy>
#include <QTest>

class tst_Balance : public QObject
{
    Q_OBJECT
private slots:
    void afterStep_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("sign");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("file");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("income") << us << "100.00" << "12.5" << 1 << "112.50" << "112.5";
        QTest::newRow("expense below zero") << us << "10.00" << "25" << -1 << "-15.00" << "-15";
        QTest::newRow("half away from zero") << us << "0" << "0.125" << -1 << "-0.13" << "-0.13";
        QTest::newRow("balance not a number") << us << "abc" << "5" << 1 << "5.00" << "5";
        QTest::newRow("large") << us << "1234567.89" << "0.01" << 1 << "1234567.90" << "1234567.9";
        QTest::newRow("de_DE, the file as everywhere")
            << german << "1234.5" << "0.25" << 1 << "1234.75" << "1234.75";
    }

    // The step's text is written to balance.kvd and a start reads it back the
    // same, whatever the locale.
    void afterStep()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, balance);
        QFETCH(QString, amount);
        QFETCH(int, sign);
        QFETCH(QString, shown);
        QFETCH(QString, file);
        QLocale::setDefault(locale);
        TempDataFolder folder;
        const FixedClock clock;
        RunningBalance model(folder.folder(), clock);
        model.setText(balance);
        const QString after = model.afterStep(amount, sign);
        QCOMPARE(after, shown);
        QString error;
        QVERIFY(model.set(after, &error));
        const QByteArray written = folder.bytes(QStringLiteral("balance.kvd"));
        QCOMPARE(written, file.toUtf8() + "\r\n");
        RunningBalance restarted(folder.folder(), clock);
        QVERIFY(restarted.setFromFile(QString::fromUtf8(written)));
        QCOMPARE(restarted.text(), shown);
    }

    void fromFile_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("shown"); // empty: no number
        QTest::newRow("as saved") << "1250.5\r\n" << "1250.50";
        QTest::newRow("group separator") << "1,250.50\r\n" << "1250.50";
        QTest::newRow("decimal comma") << "1250,50\r\n" << "1250.50";
        QTest::newRow("decimal comma, point groups") << "-1.250,50\r\n" << "-1250.50";
        QTest::newRow("line break only") << "\r\n" << "";
        QTest::newRow("words") << "abc\r\n" << "";
        QTest::newRow("infinite") << "inf\r\n" << "";
        QTest::newRow("longer than ever written") << QString(40000, '0') << "";
    }

    // The model takes the file's number, shown with two decimals, or keeps
    // what it had; the same under every locale.
    void fromFile()
    {
        QFETCH(QString, content);
        QFETCH(QString, shown);
        const bool isNumber = !shown.isEmpty();
        for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)}) {
            QLocale::setDefault(locale);
            const FixedClock clock;
            RunningBalance balance(DataFolder(QStringLiteral(".")), clock);
            balance.setText(QStringLiteral("kept"));
            QSignalSpy changed(&balance, &RunningBalance::changed);
            QCOMPARE(balance.setFromFile(content), isNumber);
            QCOMPARE(balance.text(), isNumber ? shown : QStringLiteral("kept"));
            QCOMPARE(changed.size(), isNumber ? 1 : 0);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Balance)
#include "tst_Balance.moc"
