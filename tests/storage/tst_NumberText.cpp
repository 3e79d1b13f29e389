#include "NumberText.h"

#include <QTest>
#include <cmath>

class tst_NumberText : public QObject
{
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading"); // read(): the leading number, or 0
        QTest::addColumn<bool>("plain");     // readPlain(): the whole text is that number
        QTest::newRow("blanks around") << "  12.5 " << 12.5 << true;
        QTest::newRow("line break around") << "125.5\r\n" << 125.5 << true;
        QTest::newRow("blank, tab and line feed inside") << "1 2\t5\n0.5" << 1250.5 << false;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0 << false;
        QTest::newRow("group separator stops") << "1,250.00" << 1.0 << false;
        QTest::newRow("dollar sign") << "$5" << 0.0 << false;
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("negative") << "-20.25" << -20.25 << true;
        QTest::newRow("plus") << "+3" << 3.0 << true;
        QTest::newRow("sign then blank") << "- 5" << -5.0 << false;
        QTest::newRow("leading point") << ".5" << 0.5 << true;
        QTest::newRow("trailing point") << "5." << 5.0 << true;
        QTest::newRow("point alone") << "." << 0.0 << false;
        QTest::newRow("exponent E") << "1.5E2" << 150.0 << true;
        QTest::newRow("exponent D") << "2D3" << 2000.0 << true;
        QTest::newRow("exponent sign") << "25e-1" << 2.5 << true;
        QTest::newRow("E without digits") << "7E" << 7.0 << false;
        QTest::newRow("stops at letter") << "12abc3" << 12.0 << false;
        QTest::newRow("second point stops") << "1.2.3" << 1.2 << false;
        QTest::newRow("overflow") << "1e999" << 0.0 << false;
    }

    void read()
    {
        QFETCH(QString, text);
        QFETCH(double, leading);
        QFETCH(bool, plain);
        QCOMPARE(NumberText::read(text), leading);
        const auto number = NumberText::readPlain(text);
        QCOMPARE(number.has_value(), plain);
        if (plain)
            QCOMPARE(*number, leading);
    }

    void write_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("twoDecimals");
        QTest::addColumn<QString>("shortest");
        QTest::newRow("half up") << 0.125 << "0.13" << "0.125";
        QTest::newRow("half away from zero") << -0.125 << "-0.13" << "-0.125";
        QTest::newRow("below half") << 0.124 << "0.12" << "0.124";
        QTest::newRow("carry") << 9.995 << "10.00" << "9.995";
        QTest::newRow("small") << 0.005 << "0.01" << "0.005";
        QTest::newRow("tiny") << 0.0004 << "0.00" << "0.0004";
        QTest::newRow("tiny negative") << -0.001 << "0.00" << "-0.001";
        QTest::newRow("zero") << 0.0 << "0.00" << "0";
        QTest::newRow("large") << 1234567.891 << "1234567.89" << "1234567.891";
        QTest::newRow("whole, no group separator") << 1000000.0 << "1000000.00" << "1000000";
        QTest::newRow("a twelfth of 100") << 100.0 / 12 << "8.33" << "8.33333333333333";
        QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345.00"
                                        << "123456789012345";
        QTest::newRow("sixteen digits rounded") << 1234567890123456.0 << "1234567890123460.00"
                                                << "1.23456789012346E+15";
    }

    // round15() gives the number that the shortest text reads back as, to the last bit.
    void write()
    {
        QFETCH(double, value);
        QFETCH(QString, twoDecimals);
        QFETCH(QString, shortest);
        QCOMPARE(NumberText::twoDecimals(value), twoDecimals);
        QCOMPARE(NumberText::shortest(value), shortest);
        QVERIFY(NumberText::round15(value) == NumberText::read(shortest));
    }

    void round15KeepsInfinity() { QVERIFY(std::isinf(NumberText::round15(INFINITY))); }
};

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
