#include "Controls.h"
#include "DataEnvironment.h"
#include "DataFiles.h"
#include "Readers.h"
#include "ReportDefinitions.h"
#include "ReportFont.h"
#include "ReportPages.h"
#include "ReportPainter.h"
#include "ReportPaper.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "UsEnglish.h"
#include "frmReport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

namespace {

using Report = ReportDefinition (*)();

// The paper the viewer lays a landscape report on in the en_US locale, in twips.
const QSize letterLandscape(15840, 12240);
const QDate printed(2026, 12, 6);

// Rows with a value in every field the report prints, but for the last field
// of the second row, which is null and prints as nothing.
ReportRows rows(const ReportDefinition &report, int count)
{
    ReportRows rows;
    for (const ReportControl &control : report.detail.controls)
        if (control.kind == ReportControl::Kind::Field)
            rows.columns << control.text;
    rows.cells = RowBlock(rows.columns.size());
    for (int i = 1; i <= count; ++i) {
        for (const QString &column : std::as_const(rows.columns)) {
            if (i == 2 && column == rows.columns.last())
                rows.cells.appendNull();
            else if (column == "Account")
                rows.cells.appendInteger(i);
            else if (column.contains("Amount"))
                rows.cells.appendReal(i * 12.5 / 3);
            else if (column.endsWith("Date"))
                rows.cells.appendValue(QStringLiteral("2024-07-%1").arg(i, 2, 10, QChar(u'0')));
            else
                rows.cells.appendValue(QStringLiteral("%1 %2").arg(column).arg(i));
        }
    }
    rows.total = count;
    return rows;
}

// Customers "Customer 00001" and on, active and started in 2020.
void addCustomers(const TempDataFolder &folder, int count)
{
    folder.execute(DataFiles::customers,
                   QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < %1) INSERT INTO Customers (Name, DateStarted, Active, "
                                  "AmountMonthly) SELECT printf('Customer %05d', i), '2020-01-01', -1, "
                                  "i FROM n WHERE i <= %1")
                       .arg(count));
}

std::unique_ptr<ReportQuery> customerQuery(const TempDataFolder &folder)
{
    return DataEnvironment(folder.folder().database(DataFiles::customers))
        .start(ReportCommands::customers, {"1980-01-01", "2026-12-06", -1, -1});
}

// One line per text: page, left, top, width, height, point size, text.
// Every page at once, as far as the rows read make them whole.
QList<ReportPage> allPages(const ReportDefinition &report, const ReportRows &rows, QSize paper)
{
    const ReportPages pages(report, rows, paper, printed);
    QList<ReportPage> all;
    for (int index = 0; index < pages.count() && pages.page(index); ++index)
        all.append(*pages.page(index));
    return all;
}

QString describe(const QList<ReportPage> &pages)
{
    QString out;
    for (qsizetype p = 0; p < pages.size(); ++p)
        for (const PlacedText &t : pages[p].texts)
            out += QString::asprintf("%d\t%d\t%d\t%d\t%d\t%g\t", int(p + 1), t.rect.left(), t.rect.top(),
                                     t.rect.width(), t.rect.height(), t.pointSize) +
                   t.text + u'\n';
    return out;
}

void addReports()
{
    QTest::addColumn<Report>("report");
    QTest::addColumn<int>("first");     // detail rows on the first page
    QTest::addColumn<int>("following"); // and on each page after it
    // Landscape letter is 12,240 twips high, portrait 15,840, less 1,440 at
    // top and bottom; the first page has the report header too.
    const std::tuple<const char *, Report, int, int> reports[] = {
        {"customer", &ReportDefinitions::customerReport, (10560 - 1950) / 240, (10560 - 1680) / 240},
        {"route", &ReportDefinitions::routeReport, (10440 - 2160) / 240, (10440 - 1800) / 240},
        {"income", &ReportDefinitions::incomeReport, (14160 - 2010) / 288, (14160 - 1695) / 288},
        {"expense", &ReportDefinitions::expenseReport, (13872 - 1920) / 240, (13872 - 1680) / 240}};
    for (const auto &[name, report, first, following] : reports)
        QTest::newRow(name) << report << first << following;
}

} // namespace

class tst_ReportLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    void layOut_data() { addReports(); }

    // Three rows are laid out as stored in layouts/<report>.txt; a changed
    // layout is written beside the test's temporary files, to be looked at and
    // copied over. Longer, pages are full but for the last; each has the page
    // header and "Page n Of N", the title stands on the first only.
    void layOut()
    {
        QFETCH(Report, report);
        QFETCH(int, first);
        QFETCH(int, following);
        const ReportDefinition definition = report();
        // Letter paper in twips, turned for a landscape report.
        const QSize letter = definition.landscape ? QSize(15840, 12240) : QSize(12240, 15840);
        const QString actual = describe(allPages(definition, rows(definition, 3), letter));
        const QString name = QString::fromLatin1(QTest::currentDataTag()) + ".txt";
        QFile stored(QFINDTESTDATA("layouts/" + name));
        QVERIFY2(stored.open(QIODevice::ReadOnly), qPrintable(name));
        if (actual != QString::fromUtf8(stored.readAll())) {
            QFile written(QDir::temp().filePath(name));
            QVERIFY(written.open(QIODevice::WriteOnly) && written.write(actual.toUtf8()) > 0);
            QFAIL(qPrintable("the layout differs from layouts/" + name + "; it is in " + written.fileName()));
        }
        const int count = first + 2 * following + 1;
        const auto pages = allPages(definition, rows(definition, count), letter);
        // Each detail row has the customer's or the entry's name.
        static const QRegularExpression rowStart("^(Name|IncomeType|ExpenseType) \\d+$");
        QList<int> details;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QStringList texts;
            for (const PlacedText &t : pages[p].texts)
                texts << t.text;
            details << int(texts.filter(rowStart).size());
            QVERIFY(texts.contains(definition.pageHeader.controls.first().text));
            QCOMPARE(texts.contains(definition.caption), p == 0 && !definition.reportHeader.controls.isEmpty());
            if (const qsizetype page = texts.indexOf("Page"); page >= 0)
                QCOMPARE(texts.mid(page + 1, 3), (QStringList{QString::number(p + 1), "Of", "4"}));
        }
        QCOMPARE(details, (QList<int>{first, following, following, 1}));
    }

    void pagesOneAtATime_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("pageCount");
        // The customer report's first page holds 35 rows, the next 37; the
        // total needs room of its own.
        for (const auto &[rowCount, pageCount] :
             {std::pair(0, 1), {34, 1}, {35, 2}, {71, 2}, {72, 3}})
            QTest::addRow("%d rows", rowCount) << rowCount << pageCount;
    }

    // Asked for last first, every page is the one laid out in order; the
    // total stands on the last. The viewer's Last button shows that page at
    // once, numbered of them all.
    void pagesOneAtATime()
    {
        QFETCH(int, rowCount);
        QFETCH(int, pageCount);
        const ReportDefinition customers = ReportDefinitions::customerReport();
        const ReportRows data = rows(customers, rowCount);
        const ReportPages pages(customers, data, letterLandscape, printed);
        const auto inOrder = allPages(customers, data, letterLandscape);
        QCOMPARE(pages.count(), pageCount);
        for (int page = pageCount - 1; page >= 0; --page)
            QCOMPARE(describe({*pages.page(page)}), describe({inOrder[page]}));
        QVERIFY(describe({inOrder.last()}).contains("Total of Monthly Amounts"));
        QVERIFY(!pages.page(-1) && !pages.page(pageCount));
        // A row short of them all: a page that needs it is refused, not read past.
        ReportRows part = rows(customers, std::max(0, rowCount - 1));
        part.total = rowCount;
        const ReportPages partly(customers, part, letterLandscape, printed);
        for (int page = 0; page < pageCount; ++page)
            QCOMPARE(partly.page(page).has_value(), partly.rowsNeededFor(page) < rowCount || rowCount == 0);
    }

    void windowTakesRowsAsPagesNeedThem_data()
    {
        QTest::addColumn<int>("customers");
        for (const int customers : {0, 72, 2500})
            QTest::addRow("%d customers", customers) << customers;
    }

    // The window numbers every page at once; the Last button shows the last
    // page, total included, though its rows were still being read, and the
    // PDF holds every row.
    void windowTakesRowsAsPagesNeedThem()
    {
        QFETCH(int, customers);
        const ReportDefinition report = ReportDefinitions::customerReport();
        TempDataFolder folder;
        addCustomers(folder, customers);
        ReportRows all;
        QString error;
        const auto query = customerQuery(folder);
        QVERIFY(query->waitForCount(&all, &error) && query->waitForRows(customers, &all, &error));
        const QSize paper = ReportPaper::inTwips(ReportPaper::pageLayout(ReportPaper::defaultSize(), true));
        const ReportPages pages(report, all, paper, printed);

        ScriptedMessageBox messages;
        frmReport window(report, messages);
        QVERIFY(window.showRows(customerQuery(folder), printed, &error));
        const QString last = QString("Page %1 of %1").arg(pages.count());
        QCOMPARE(control<QLabel>(&window, "lblPage")->text(), QString("Page 1 of %1").arg(pages.count()));
        ::click(&window, "cmdLast");
        QCOMPARE(control<QLabel>(&window, "lblPage")->text(), last);
        const QImage shown = control<QLabel>(&window, "pageView")->pixmap().toImage();
        QImage expected(shown.size(), shown.format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::TextAntialiasing);
        ReportPainter::paint(painter, *pages.page(pages.count() - 1), 96);
        painter.end();
        QCOMPARE(shown, expected);

        frmReport saved(report, messages);
        QVERIFY(saved.showRows(customerQuery(folder), printed, &error));
        const QString pdf = folder.filePath("report.pdf");
        QVERIFY2(saved.savePdf(pdf, &error), qPrintable(error));
        const QString text = QString::fromUtf8(Readers::pdfText(pdf));
        QVERIFY(text.contains("Total of Monthly Amounts"));
        if (customers > 0)
            QVERIFY(text.contains(QString("Customer %1").arg(customers, 5, 10, QChar(u'0'))));
    }

    void longTextsStayInTheirBoxes_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<bool>("likeReal"); // long values as customers have them, else absurd ones
        const std::pair<const char *, Report> reports[] = {{"customer", &ReportDefinitions::customerReport},
                                                           {"route", &ReportDefinitions::routeReport},
                                                           {"income", &ReportDefinitions::incomeReport},
                                                           {"expense", &ReportDefinitions::expenseReport}};
        for (const auto &[name, report] : reports)
            for (const bool likeReal : {false, true})
                QTest::addRow("%s%s", name, likeReal ? ", real values" : "") << report << likeReal;
    }

    // No text runs into the next column or off the paper. A phone number, an
    // amount or a date loses no character: it shrinks to fit; values far
    // wider than their boxes are cut short with "…", and a caption that does
    // not fit loses its last letters.
    void longTextsStayInTheirBoxes()
    {
        QFETCH(Report, report);
        QFETCH(bool, likeReal);
        const ReportDefinition definition = report();
        const ReportRows plain = rows(definition, 2);
        const QString phone = "(813) 555-0199";
        ReportRows data{plain.columns, RowBlock(plain.columns.size()), plain.count()};
        for (qsizetype row = 0; row < plain.count(); ++row) {
            for (const QString &column : plain.columns) {
                const bool number = plain.value(row, plain.columns.indexOf(column)).typeId() == QMetaType::Double;
                if (!likeReal)
                    data.cells.appendValue(number ? QVariant(123456789012.25) : QVariant(QString(100, u'W')));
                else if (number)
                    data.cells.appendReal(1234567.89);
                else if (column.endsWith("Date") || column.startsWith("Date"))
                    data.cells.appendValue("2024-07-28");
                else
                    data.cells.appendValue(QStringList{"Home", "Cell", "HisWork", "HerWork"}.contains(column)
                                               ? phone : "Pest Chemicals Incorporated of St. Petersburg Beach");
            }
        }
        const QSize letter = definition.landscape ? letterLandscape : letterLandscape.transposed();
        int cut = 0;
        const auto end = [](const PlacedText &t) {
            return t.rect.left() + QFontMetricsF(ReportFont::inTwips(t.pointSize)).horizontalAdvance(t.text);
        };
        for (const ReportPage &page : allPages(definition, data, letter)) {
            // A value before a "$" keeps clear of it: "Pest Chemicals Inc$ 310.75" reads as one.
            for (const PlacedText &dollar : page.texts)
                for (const PlacedText &t : page.texts)
                    if (dollar.text == "$" && t.rect.top() == dollar.rect.top() && t.rect.left() < dollar.rect.left())
                        QVERIFY2(end(t) + 40 <= dollar.rect.left(), qPrintable(t.text));
            for (const PlacedText &t : page.texts) {
                const QFontMetricsF metrics(ReportFont::inTwips(t.pointSize));
                QVERIFY2(metrics.horizontalAdvance(t.text) <= t.rect.width(), qPrintable(t.text));
                QVERIFY(t.pointSize >= 6);
                cut += t.text.endsWith(u'…');
                if (likeReal && (t.text.startsWith("(813)") || t.text.startsWith("1234567") || t.text.startsWith("7/")))
                    QVERIFY2(QStringList({phone, "1234567.89", "7/28/2024"}).contains(t.text) ||
                                 t.text.startsWith("12345678") /* the sum */, qPrintable(t.text));
            }
        }
        QVERIFY(cut > 0);
    }

    void elidedKeepsWhatFits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("fits") << "Baker" << 2000;
        QTest::newRow("cut") << "Pest Chemicals Incorporated of St. Petersburg Beach" << 2000;
        QTest::newRow("beyond the basic plane, fits") << QString::fromUtf8("Ant Farm \U0001F41C") << 3000;
        QTest::newRow("beyond the basic plane, cut") << QString::fromUtf8("\U0001F41C").repeated(40) << 1500;
        QTest::newRow("no room for the ellipsis") << "Baker" << 20;
    }

    // Within its width, whole when it fits, never half a letter, and no more
    // than a letter shorter than the text shaped and cut would be.
    void elidedKeepsWhatFits()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        const ReportFont font(8.25);
        const QFontMetricsF metrics(ReportFont::inTwips(8.25));
        const QString shown = font.elided(text, width);
        QVERIFY(metrics.horizontalAdvance(shown) <= width);
        QVERIFY(shown.isValidUtf16());
        if (metrics.horizontalAdvance(text) <= width)
            QCOMPARE(shown, text);
        else
            QVERIFY2(text.startsWith(shown.chopped(shown.isEmpty() ? 0 : 1)), qPrintable(shown));
        QVERIFY2(shown.size() >= metrics.elidedText(text, Qt::ElideRight, width).size() - 1, qPrintable(shown));
    }

    void keysPageAndClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("page"); // shown afterwards; none when the window closed
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << "Page 3 of 3";
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 0 << "Page 1 of 3";
        QTest::newRow("W alone") << int(Qt::Key_W) << 0 << "Page 2 of 3";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << "";
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier) << "";
    }

    // On the second of three pages, wherever the focus is in the window.
    void keysPageAndClose()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, page);
        ScriptedMessageBox messages;
        const ReportDefinition customers = ReportDefinitions::customerReport();
        QPointer<frmReport> window = new frmReport(customers, messages);
        TempDataFolder folder;
        addCustomers(folder, 72);
        QString error;
        QVERIFY(window->showRows(customerQuery(folder), printed, &error));
        window->showPage(1);
        showActive(window);
        QTest::keyClick(window.data(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (page.isEmpty())
            QTRY_VERIFY(!window);
        else
            QCOMPARE(control<QLabel>(window, "lblPage")->text(), page);
        delete window;
    }
};

QTEST_MAIN(tst_ReportLayout)
#include "tst_ReportLayout.moc"
