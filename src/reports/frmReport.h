#pragma once

#include "ReportDefinition.h"
#include "ReportPages.h"

#include <QDate>
#include <QPageLayout>
#include <QWidget>

class MessageBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

// A report's window: the pages as they will print, with page stepping and
// zoom, printing through the system's print dialog and saving as PDF. A
// page is laid out when it is shown or printed, so the first one shows at
// once however long the report is.
// Esc and Ctrl+W close it, PageUp and PageDown page it, Ctrl+P prints.
// Not modal; it unloads when it closes and says so, so that the report's
// connection can be closed.
class frmReport : public QWidget
{
    Q_OBJECT
public:
    frmReport(const ReportDefinition &report, MessageBox &messages, QWidget *parent = nullptr);

    // Shows the first page of the rows given, with the number of pages.
    void showRows(const ReportRows &rows, const QDate &printed);

    void showPage(int index);

    bool savePdf(const QString &path, QString *error);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildToolBar();
    void addKeys();
    void closeWindow();
    void showPreviousPage();
    void showNextPage();
    void cmdPrint_Click();
    void cmdSavePdf_Click();
    ReportPages pagesFor(const QPageLayout &layout) const;

    ReportDefinition m_report;
    MessageBox &m_messages;
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
