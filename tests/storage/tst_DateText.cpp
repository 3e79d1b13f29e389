#include "DateText.h"

#include <QTest>

class tst_DateText : public QObject
{
    Q_OBJECT
private slots:
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
        QCOMPARE(DateText::fromShort(DateText::toShort(date, locale), locale).value_or(QDate()),
                 date);
    }

    void fromShort_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected"); // invalid: not a date
        QTest::newRow("four-digit year") << "12/5/2026" << QDate(2026, 12, 5);
        QTest::newRow("29, the last of this century") << "1/1/29" << QDate(2029, 1, 1);
        QTest::newRow("30, the first of the last") << "1/1/30" << QDate(1930, 1, 1);
        QTest::newRow("blanks around") << " 6/30/2024 " << QDate(2024, 6, 30);
        QTest::newRow("leap day") << "2/29/2024" << QDate(2024, 2, 29);
        QTest::newRow("not a leap year") << "2/29/2023" << QDate();
        QTest::newRow("blanks") << "   " << QDate();
        QTest::newRow("three-digit year") << "1/1/204" << QDate();
        QTest::newRow("two parts") << "1/2004" << QDate();
        QTest::newRow("trailing text") << "1/1/2004x" << QDate();
    }

    void fromShort()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const auto date = DateText::fromShort(text);
        QCOMPARE(date.has_value(), expected.isValid());
        if (date)
            QCOMPARE(*date, expected);
    }

    // The stored form sorts and compares in date order as text.
    void storedForm()
    {
        const QDate date(2004, 1, 31);
        QCOMPARE(DateText::toStored(date), QStringLiteral("2004-01-31"));
        QCOMPARE(DateText::fromStored(QStringLiteral("2004-01-31")), date);
    }
};

QTEST_GUILESS_MAIN(tst_DateText)
#include "tst_DateText.moc"
