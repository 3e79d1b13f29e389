#pragma once

#include "ReportDefinition.h"
#include "ReportPages.h"
#include "ReportQuery.h"

#include <QDate>
#include <QPageLayout>
#include <QWidget>
#include <memory>

class MessageBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

// A report's window: the pages as they will print, with page stepping and
// zoom, printing through the system's print dialog and saving as PDF. A
// page is laid out when it is shown or printed, and its rows taken from the
// query as it is, so the first one shows at once however long the report
// is; the rest are read meanwhile.
// Esc and Ctrl+W close it, PageUp and PageDown page it, Ctrl+P prints.
// Not modal; it unloads when it closes and says so, so that the report's
// connection can be closed.
class frmReport : public QWidget
{
    Q_OBJECT
public:
    frmReport(const ReportDefinition &report, MessageBox &messages, QWidget *parent = nullptr);

    // Shows the first page of the query's rows, with the number of pages.
    // False, with the reason, when they cannot be counted or the first page's
    // rows read; the window then keeps what it showed.
    bool showRows(std::unique_ptr<ReportQuery> query, const QDate &printed, QString *error);

    void showPage(int index);

    bool savePdf(const QString &path, QString *error);
    // Prints every page onto a printer the print dialog has set up, as a job
    // named by the report's caption; its rows must all be read.
    bool print(QPrinter &printer) const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildToolBar();
    void addKeys();
    void showPreviousPage();
    void showNextPage();
    void cmdPrint_Click();
    void cmdSavePdf_Click();
    ReportPages pagesFor(const QPageLayout &layout) const;
    bool readRows(qsizetype count, QString *error);
    std::optional<ReportPage> pageWithRows(int index, QString *error);

    ReportDefinition m_report;
    MessageBox &m_messages;
    std::unique_ptr<ReportQuery> m_query; // until every row is read
    ReportRows m_rows;
    QDate m_printed;
    QPageLayout m_layout;
    ReportPages m_pages;
    int m_current = 0;
    QLabel *m_pageNumber = nullptr;
    QComboBox *m_zoom = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_view = nullptr;
};
