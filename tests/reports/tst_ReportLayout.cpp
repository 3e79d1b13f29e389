#include "ReportDefinitions.h"
#include "ReportLayout.h"
#include <QTest>

namespace {

const QSize letterLandscape(15840, 12240);
const QSize letterPortrait(12240, 15840);

ReportRows incomeRows(int count)
{
    ReportRows rows{{"IncomeType", "IncomeAmount", "IncomeDate", "IncomeInvoice"}, {}};
    for (int i = 1; i <= count; ++i)
        rows.rows.append({QStringLiteral("Item %1").arg(i), i * 1.25, "2024-07-04", "Deposit"});
    return rows;
}

const PlacedText *find(const ReportPage &page, const QString &text)
{
    for (const PlacedText &placed : page.texts)
        if (placed.text == text)
            return &placed;
    return nullptr;
}

} // namespace

class tst_ReportLayout : public QObject
{
    Q_OBJECT
private slots:
    void detailRowIsPlacedAsDefined();
    void pagesNumberedWithHeaderOnEach();
    void emptyRangeShowsHeadersAndZeroTotal();
    void routeReportHasNoTitleFooterOrTotal();
    void formats_data();
    void formats();
};

void tst_ReportLayout::detailRowIsPlacedAsDefined()
{
    ReportRows rows{{"Account", "Name", "Address", "City", "Home", "Cell", "Schedule",
                     "AmountPerVisit", "AmountMonthly", "Comments"},
                    {{7, "Adams", "1 Oak St", "Tampa", "555-1", "555-2", "Quarterly", 25.0,
                      100.0 / 12, "Gate 4"}}};
    const auto pages = ReportLayout::layOut(ReportDefinitions::customerReport(), rows,
                                            letterLandscape, QDate(2026, 12, 6));
    QCOMPARE(pages.size(), 1);
    const ReportPage &page = pages.first();
    const struct {
        const char *text;
        int left, width, top;
    } expected[] = {
        // margins 720 left, 1440 top; report header 270, page header 240, then the row
        {"Customer Report", 720, 2448, 1440}, {"Account:", 720, 864, 1710},
        {"Comments:", 720 + 11952, 855, 1710}, {"7", 720, 720, 1950},
        {"Adams", 720 + 720, 1584, 1950},     {"25.00", 720 + 9648, 870, 1950},
        {"8.33", 720 + 10656, 1305, 1950},    {"Gate 4", 720 + 11952, 2160, 1950},
        {"Total of Monthly Amounts    $", 720 + 7920, 2160, 2190},
        {"Page", 720, 435, 12240 - 1440 - 240}, {"12/6/2026", 720 + 2880, 1440, 12240 - 1440 - 240},
    };
    for (const auto &want : expected) {
        const PlacedText *placed = find(page, QString::fromLatin1(want.text));
        QVERIFY2(placed, want.text);
        QCOMPARE(placed->rect.left(), want.left);
        QCOMPARE(placed->rect.width(), want.width);
        QCOMPARE(placed->rect.top(), want.top);
    }
    QCOMPARE(find(page, "Customer Report")->pointSize, 15.75);
    QCOMPARE(find(page, "Adams")->pointSize, 8.25);
}

void tst_ReportLayout::pagesNumberedWithHeaderOnEach()
{
    // Portrait letter: 15840 - 2 * 1440 = 12960 twips; less the footer, 48 detail rows
    // of 288 after the headers on the first page, then 44 on each further page.
    const ReportRows rows = incomeRows(120);
    const auto pages = ReportLayout::layOut(ReportDefinitions::incomeReport(), rows, letterPortrait,
                                            QDate(2026, 1, 2));
    QCOMPARE(pages.size(), 3);
    int details = 0;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(find(pages[i], "Income Name:"));
        QCOMPARE(find(pages[i], "Income Name:")->rect.top(), i == 0 ? 1440 + 315 : 1440);
        QVERIFY(find(pages[i], QString::number(i + 1)));
        QVERIFY(find(pages[i], "3"));
        for (const PlacedText &placed : pages[i].texts)
            if (placed.text.startsWith("Item "))
                ++details;
    }
    QCOMPARE(details, 120);
    QVERIFY(!find(pages[1], "Income Report"));
    QVERIFY(find(pages[2], "Item 120"));
    // 1.25 + 2.50 + ... + 150 = 1.25 * (120 * 121 / 2)
    QVERIFY(find(pages[2], "9075.00"));
    QVERIFY(find(pages[2], "Total:   $"));
    QVERIFY(find(pages[0], "1/2/2026"));
    QVERIFY(find(pages[0], "7/4/2024"));
}

void tst_ReportLayout::emptyRangeShowsHeadersAndZeroTotal()
{
    ReportRows rows{{"ExpenseType", "ExpenseAmount", "ExpenseDate", "ExpenseInvoice"}, {}};
    const auto pages = ReportLayout::layOut(ReportDefinitions::expenseReport(), rows,
                                            letterPortrait, QDate(2026, 1, 2));
    QCOMPARE(pages.size(), 1);
    for (const char *text : {"Expense Report", "Expense Type:", "Total:    $", "0.00", "Page"})
        QVERIFY2(find(pages[0], QString::fromLatin1(text)), text);
}

void tst_ReportLayout::routeReportHasNoTitleFooterOrTotal()
{
    ReportRows rows{{"Account", "Name", "AmountPerVisit", "HerWork"}, {{3, "Baker", 19.5, "555-9"}}};
    const auto pages = ReportLayout::layOut(ReportDefinitions::routeReport(), rows,
                                            letterLandscape, QDate(2026, 1, 2));
    QStringList texts;
    for (const PlacedText &placed : pages[0].texts)
        if (!placed.text.isEmpty())
            texts << placed.text;
    QCOMPARE(texts, (QStringList{"Account:", "Name:", "Address:", "City:", "Home:", "Cell:",
                                 "HisWork:", "HerWork:", "Schedule:", "AmountPerVisit:", "3",
                                 "Baker", "555-9", "$", "19.5"}));
    // Its page header comes after an empty report header of 360 twips.
    QCOMPARE(find(pages[0], "Account:")->rect.top(), 1440 + 360);
}

void tst_ReportLayout::formats_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("two decimals") << QVariant(8.333333) << int(ReportControl::Format::TwoDecimals)
                                  << "8.33";
    QTest::newRow("half away") << QVariant(0.125) << int(ReportControl::Format::TwoDecimals) << "0.13";
    QTest::newRow("as stored") << QVariant(19.5) << int(ReportControl::Format::AsStored) << "19.5";
    QTest::newRow("whole as stored") << QVariant(25.0) << int(ReportControl::Format::AsStored) << "25";
    QTest::newRow("date") << QVariant("2024-02-29") << int(ReportControl::Format::ShortDate)
                          << "2/29/2024";
    QTest::newRow("null") << QVariant() << int(ReportControl::Format::TwoDecimals) << "";
}

void tst_ReportLayout::formats()
{
    QFETCH(QVariant, value);
    QFETCH(int, format);
    QFETCH(QString, text);
    QCOMPARE(ReportLayout::formatted(value, ReportControl::Format(format)), text);
}

QTEST_MAIN(tst_ReportLayout)
#include "tst_ReportLayout.moc"
