#include "DateText.h"
#include "NumberText.h"
#include "UsEnglish.h"

#include <QTest>
#include <cmath>

class tst_NumberAndDateText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading"); // read(): the leading number, or 0
        QTest::addColumn<bool>("plain");     // readPlain(): the whole text is that number
        QTest::newRow("blanks around") << "  12.5 " << 12.5 << true;
        QTest::newRow("line break around") << "125.5\r\n" << 125.5 << true;
        QTest::newRow("blank, tab and line feed inside") << "1 2\t5\n0.5" << 1250.5 << false;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0 << false;
        QTest::newRow("carriage return first") << "\r5" << 0.0 << false;
        QTest::newRow("pasted blanks around") << "\u00a0500\u3000\v" << 500.0 << true;
        QTest::newRow("form feed inside") << "1\f2" << 12.0 << false;
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

    void shortForm_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("format");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "M/d/yyyy";
        QTest::newRow("C") << QLocale::c() << "M/d/yyyy";
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "dd/MM/yyyy";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "dd.MM.yyyy";
    }

    // A date shown in a locale's short form reads back as the same date; 12/5 tells month from day.
    void shortForm()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, format);
        const QDate date(2026, 12, 5);
        QCOMPARE(DateText::shortFormat(locale), format);
        QCOMPARE(DateText::toShort(date, locale), locale.toString(date, format));
        QCOMPARE(DateText::fromShort(DateText::toShort(date, locale), date, locale).value_or(QDate()),
                 date);
    }

    void fromShort_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected"); // invalid: not a date
        const QDate today(2026, 12, 6);
        QTest::newRow("four-digit year") << today << "12/5/2026" << QDate(2026, 12, 5);
        QTest::newRow("2026: 46 is twenty years ahead") << today << "1/1/46" << QDate(2046, 1, 1);
        QTest::newRow("2026: 47 is the last century's") << today << "1/1/47" << QDate(1947, 1, 1);
        QTest::newRow("2026: 00") << today << "1/1/00" << QDate(2000, 1, 1);
        QTest::newRow("2027: 47 comes into this century") << QDate(2027, 3, 1) << "1/1/47" << QDate(2047, 1, 1);
        QTest::newRow("2030: 30 is this year") << QDate(2030, 1, 1) << "1/1/30" << QDate(2030, 1, 1);
        QTest::newRow("2030: 51 is the last century's") << QDate(2030, 1, 1) << "1/1/51" << QDate(1951, 1, 1);
        QTest::newRow("2095: 15 is the next century's") << QDate(2095, 6, 1) << "1/1/15" << QDate(2115, 1, 1);
        QTest::newRow("2095: 16 is this century's") << QDate(2095, 6, 1) << "1/1/16" << QDate(2016, 1, 1);
        QTest::newRow("blanks around") << today << " 6/30/2024 " << QDate(2024, 6, 30);
        QTest::newRow("leap day") << today << "2/29/2024" << QDate(2024, 2, 29);
        QTest::newRow("not a leap year") << today << "2/29/2023" << QDate();
        QTest::newRow("blanks") << today << "   " << QDate();
        QTest::newRow("three-digit year") << today << "1/1/204" << QDate();
        QTest::newRow("two parts") << today << "1/2004" << QDate();
        QTest::newRow("trailing text") << today << "1/1/2004x" << QDate();
    }

    void fromShort()
    {
        QFETCH(QDate, today);
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const auto date = DateText::fromShort(text, today);
        QCOMPARE(date.has_value(), expected.isValid());
        if (date)
            QCOMPARE(*date, expected);
    }
};

QTEST_GUILESS_MAIN(tst_NumberAndDateText)
#include "tst_NumberAndDateText.moc"
