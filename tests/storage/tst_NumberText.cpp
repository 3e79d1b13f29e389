#include "NumberText.h"
#include <QTest>

#include <cmath>

class tst_NumberText : public QObject
{
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void readPlain_data();
    void readPlain();
    void twoDecimals_data();
    void twoDecimals();
    void shortest_data();
    void shortest();
    void round15RemovesBinaryRemainders();
};

void tst_NumberText::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "12.50" << 12.5;
    QTest::newRow("blank inside") << "1 250.5" << 1250.5;
    QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
    QTest::newRow("group separator stops") << "1,250.00" << 1.0;
    QTest::newRow("dollar sign") << "$5" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-20.25" << -20.25;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("sign then blank") << "- 5" << -5.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("exponent E") << "1.5E2" << 150.0;
    QTest::newRow("exponent D") << "2D3" << 2000.0;
    QTest::newRow("exponent sign") << "25e-1" << 2.5;
    QTest::newRow("E without digits") << "7E" << 7.0;
    QTest::newRow("stops at letter") << "12abc3" << 12.0;
    QTest::newRow("carriage return stops") << "12\r\n" << 12.0;
    QTest::newRow("comma decimal") << "12,5" << 12.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("overflow") << "1e999" << 0.0;
}

void tst_NumberText::read()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(NumberText::read(text), expected);
}

void tst_NumberText::readPlain_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "12.5" << true << 12.5;
    QTest::newRow("blanks around") << "  12.5 " << true << 12.5;
    QTest::newRow("negative") << "-1" << true << -1.0;
    QTest::newRow("exponent") << "1E3" << true << 1000.0;
    QTest::newRow("group separator") << "1,250.00" << false << 0.0;
    QTest::newRow("dollar") << "$5" << false << 0.0;
    QTest::newRow("blank inside") << "1 250" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks only") << "   " << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("trailing letter") << "12a" << false << 0.0;
    QTest::newRow("dangling exponent") << "1E" << false << 0.0;
    QTest::newRow("line break around") << "125.5\r\n" << true << 125.5;
}

void tst_NumberText::readPlain()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, expected);
    const auto number = NumberText::readPlain(text);
    QCOMPARE(number.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*number, expected);
}

void tst_NumberText::twoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 12.0 << "12.00";
    QTest::newRow("one decimal") << 125.5 << "125.50";
    QTest::newRow("half up") << 0.125 << "0.13";
    QTest::newRow("half away from zero") << -0.125 << "-0.13";
    QTest::newRow("typed 1.005") << 1.005 << "1.01";
    QTest::newRow("typed 2.675") << 2.675 << "2.68";
    QTest::newRow("below half") << 0.124 << "0.12";
    QTest::newRow("carry") << 9.995 << "10.00";
    QTest::newRow("small") << 0.005 << "0.01";
    QTest::newRow("tiny") << 0.0004 << "0.00";
    QTest::newRow("tiny negative") << -0.001 << "0.00";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("large") << 1234567.891 << "1234567.89";
    QTest::newRow("no group separator") << 1000000.0 << "1000000.00";
    QTest::newRow("negative") << -15.0 << "-15.00";
    QTest::newRow("binary remainder") << 0.1 + 0.2 << "0.30";
}

void tst_NumberText::twoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::twoDecimals(value), expected);
}

void tst_NumberText::shortest_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one decimal") << 1250.5 << "1250.5";
    QTest::newRow("whole") << 100.0 << "100";
    QTest::newRow("negative") << -20.25 << "-20.25";
    QTest::newRow("quarterly 25") << 25.0 * 4 / 12 << "8.33333333333333";
    QTest::newRow("yearly 100") << 100.0 / 12 << "8.33333333333333";
    QTest::newRow("binary remainder") << 0.1 + 0.2 << "0.3";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("small") << 0.05 << "0.05";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("sixteen digits rounded") << 1234567890123456.0 << "1.23456789012346E+15";
}

void tst_NumberText::shortest()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::shortest(value), expected);
    QCOMPARE(NumberText::read(NumberText::shortest(value)), NumberText::round15(value));
}

void tst_NumberText::round15RemovesBinaryRemainders()
{
    QCOMPARE(NumberText::round15(0.1 + 0.2), 0.3);
    QCOMPARE(NumberText::round15(100.0 - 87.65), 12.35);
    QCOMPARE(NumberText::round15(-0.0), -0.0);
    QVERIFY(std::isinf(NumberText::round15(INFINITY)));
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
