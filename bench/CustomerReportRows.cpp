#include "CustomerReportRows.h"

#include "Anchors.h"
#include "Clock.h"
#include "DataEnvironment.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "PaintWatch.h"
#include "ReportCommands.h"
#include "ReportDefinitions.h"
#include "ReportPages.h"
#include "ReportPainter.h"
#include "ReportPaper.h"
#include "ReportsTab.h"
#include "Require.h"
#include "StandIns.h"
#include "frmReport.h"

#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

// ---------------------------------------------------------------------------
// reportFirstPage: from the Main Report click until the report window's page
// view is painted with a page in it.
// ---------------------------------------------------------------------------
double reportFirstPage(ReportsTab &tab)
{
    QElapsedTimer timer;
    double shownAt = -1;
    const PaintWatch watch(QStringLiteral("pageView"), [&](QWidget &view) {
        if (shownAt < 0 && !static_cast<QLabel &>(view).pixmap().isNull())
            shownAt = millisecondsSince(timer);
    });
    timer.start();
    tab.cmdShowReport1_Click();
    waitUntil([&] { return shownAt >= 0; }, QStringLiteral("the report's first page"));
    // Closed, so that every round opens the window afresh, as the first click does.
    auto *report = tab.findChild<frmReport *>();
    require(report, QStringLiteral("The report window is not the tab's."));
    report->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    require(!tab.findChild<frmReport *>(), QStringLiteral("The closed report window stayed."));
    return shownAt;
}

// The parameters the Main Report button passes on its first click: every
// start date from 1980 to today, active customers only.
QVariantList mainReportParameters()
{
    return {QStringLiteral("1980-01-01"), QDate::currentDate().toString(Qt::ISODate), -1, -1};
}

// As the report window saves its PDF, from the query on.
double reportToPdf(const DataFolder &folder, const QString &pdf)
{
    QElapsedTimer timer;
    timer.start();
    QString error;
    DataEnvironment environment(folder.database(DataFiles::customers));
    ReportRows rows;
    require(environment.open(&error), error);
    const std::unique_ptr<ReportQuery> query =
        environment.start(ReportCommands::customers, mainReportParameters());
    require(query->waitForCount(&rows, &error) && query->waitForRows(rows.count(), &rows, &error),
            error);
    const ReportDefinition report = ReportDefinitions::customerReport();
    const QPageLayout layout = ReportPaper::pageLayout(ReportPaper::defaultSize(), report.landscape);
    const ReportPages pages(report, rows, ReportPaper::inTwips(layout), QDate::currentDate());
    QPdfWriter writer(pdf);
    writer.setPageLayout(layout);
    require(ReportPainter::print(writer, pages), QStringLiteral("The PDF could not be drawn."));
    return millisecondsSince(timer);
}

} // namespace

QList<Row> customerReportRows(const DataFolder &folder, int customers)
{
    const int rounds = roundsFor(customers);
    RecordingMessageBox messages;
    const SystemClock clock;
    ReportsTab tab(folder, messages, clock);
    tab.setStartingDates();
    Row firstPage(QStringLiteral("report first page"), customers, Goal::below(300, QStringLiteral("ms")));
    firstPage.program = repeat(rounds, [&] { return reportFirstPage(tab); });
    require(messages.shown.isEmpty(), QStringLiteral("The report showed: ") + messages.shown.join(u' '));

    const QTemporaryDir temporary;
    require(temporary.isValid(), temporary.errorString());
    const QString programPdf = temporary.filePath(QStringLiteral("program.pdf"));
    const QString plainPdf = temporary.filePath(QStringLiteral("plain.pdf"));
    const Pair pdf = alternate(
        rounds, [&] { return reportToPdf(folder, programPdf); },
        [&] { return Anchors::plainReportPdf(folder, mainReportParameters(), plainPdf); });
    return {firstPage, Row(QStringLiteral("report to PDF"), customers, Goal::timesAnchor(1.1), pdf)};
}
