#include "DateText.h"
#include <QTest>

class tst_DateText : public QObject
{
    Q_OBJECT
private slots:
    void shortFormat_data();
    void shortFormat();
    void fromShort_data();
    void fromShort();
    void roundTripThroughStoredForm();
};

void tst_DateText::shortFormat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "M/d/yyyy";
    QTest::newRow("C") << QLocale::c() << "M/d/yyyy";
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "dd/MM/yyyy";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "dd.MM.yyyy";
}

void tst_DateText::shortFormat()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(DateText::shortFormat(locale), expected);
    QCOMPARE(DateText::toShort(QDate(2026, 12, 5), locale),
             locale.toString(QDate(2026, 12, 5), expected));
}

void tst_DateText::fromShort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: not a date
    QTest::newRow("four-digit year") << "12/5/2026" << QDate(2026, 12, 5);
    QTest::newRow("padded") << "01/01/1980" << QDate(1980, 1, 1);
    QTest::newRow("two-digit year, this century") << "2/3/04" << QDate(2004, 2, 3);
    QTest::newRow("two-digit year, last century") << "2/3/85" << QDate(1985, 2, 3);
    QTest::newRow("29, the last of this century") << "1/1/29" << QDate(2029, 1, 1);
    QTest::newRow("30, the first of the last") << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("blanks around") << " 6/30/2024 " << QDate(2024, 6, 30);
    QTest::newRow("leap day") << "2/29/2024" << QDate(2024, 2, 29);
    QTest::newRow("no such day") << "2/30/2004" << QDate();
    QTest::newRow("not a leap year") << "2/29/2023" << QDate();
    QTest::newRow("month 13") << "13/1/2004" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("blanks") << "   " << QDate();
    QTest::newRow("three-digit year") << "1/1/204" << QDate();
    QTest::newRow("two parts") << "1/2004" << QDate();
    QTest::newRow("words") << "tomorrow" << QDate();
    QTest::newRow("trailing text") << "1/1/2004x" << QDate();
}

void tst_DateText::fromShort()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const auto date = DateText::fromShort(text);
    QCOMPARE(date.has_value(), expected.isValid());
    if (date)
        QCOMPARE(*date, expected);
}

void tst_DateText::roundTripThroughStoredForm()
{
    const QDate date(2004, 1, 31);
    QCOMPARE(DateText::toStored(date), QStringLiteral("2004-01-31"));
    QCOMPARE(DateText::fromStored(DateText::toStored(date)), date);
    QCOMPARE(DateText::fromShort(DateText::toShort(date)).value(), date);
    // Stored dates compare as text in date order.
    QVERIFY(DateText::toStored(QDate(2004, 2, 1)) > DateText::toStored(QDate(2004, 1, 31)));
    const QLocale german(QLocale::German, QLocale::Germany);
    QCOMPARE(DateText::fromShort(QStringLiteral("31.01.2004"), german).value(), date);
}

QTEST_GUILESS_MAIN(tst_DateText)
#include "tst_DateText.moc"
