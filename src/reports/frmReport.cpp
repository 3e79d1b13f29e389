#include "frmReport.h"

#include "CloseKeys.h"
#include "MessageBox.h"
#include "ReportPainter.h"
#include "ReportPaper.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPushButton *toolButton(const QString &name, const QString &caption, QHBoxLayout *bar)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    bar->addWidget(button);
    return button;
}

// The page arrows take no more room than their arrows: the bar fits a small
// screen at a large scale.
QToolButton *pageButton(const QString &name, const QString &arrow, QHBoxLayout *bar)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(arrow);
    bar->addWidget(button);
    return button;
}

} // namespace

frmReport::frmReport(const ReportDefinition &report, MessageBox &messages, QWidget *parent)
    : QWidget(parent, Qt::Window), m_report(report), m_messages(messages),
      m_layout(ReportPaper::pageLayout(ReportPaper::defaultSize(), report.landscape)),
      m_pages(pagesFor(m_layout))
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(report.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildToolBar());
    m_scroll = new QScrollArea;
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_view = new QLabel;
    m_view->setObjectName(QStringLiteral("pageView"));
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);
    addKeys();
    resize(900, 700);
}

// Keys that work wherever the focus is in the window, the page view included.
void frmReport::addKeys()
{
    const struct {
        QKeySequence keys;
        void (frmReport::*action)();
    } commands[] = {{QKeySequence(Qt::Key_PageUp), &frmReport::showPreviousPage},
                    {QKeySequence(Qt::Key_PageDown), &frmReport::showNextPage},
                    {QKeySequence(Qt::CTRL | Qt::Key_P), &frmReport::cmdPrint_Click}};
    for (const auto &command : commands)
        connect(new QShortcut(command.keys, this), &QShortcut::activated, this, command.action);
    addCloseKeys(this);
}

void frmReport::showPreviousPage()
{
    showPage(m_current - 1);
}

void frmReport::showNextPage()
{
    showPage(m_current + 1);
}

QWidget *frmReport::buildToolBar()
{
    auto *toolBar = new QWidget;
    auto *bar = new QHBoxLayout(toolBar);
    bar->setContentsMargins(0, 0, 0, 0);
    connect(pageButton(QStringLiteral("cmdFirst"), QStringLiteral("|◀"), bar), &QToolButton::clicked,
            this, [this] { showPage(0); });
    connect(pageButton(QStringLiteral("cmdPrevious"), QStringLiteral("◀"), bar),
            &QToolButton::clicked, this, &frmReport::showPreviousPage);
    m_pageNumber = new QLabel;
    m_pageNumber->setObjectName(QStringLiteral("lblPage"));
    bar->addWidget(m_pageNumber);
    connect(pageButton(QStringLiteral("cmdNext"), QStringLiteral("▶"), bar), &QToolButton::clicked,
            this, &frmReport::showNextPage);
    connect(pageButton(QStringLiteral("cmdLast"), QStringLiteral("▶|"), bar), &QToolButton::clicked,
            this, [this] { showPage(m_pages.count() - 1); });
    m_zoom = new QComboBox;
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    for (const int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoom->setCurrentIndex(2);
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { showPage(m_current); });
    bar->addStretch(1);
    connect(toolButton(QStringLiteral("cmdPrint"), QStringLiteral("&Print..."), bar),
            &QPushButton::clicked, this, &frmReport::cmdPrint_Click);
    connect(toolButton(QStringLiteral("cmdSavePdf"), QStringLiteral("&Save as PDF..."), bar),
            &QPushButton::clicked, this, &frmReport::cmdSavePdf_Click);
    return toolBar;
}

ReportPages frmReport::pagesFor(const QPageLayout &layout) const
{
    return ReportPages(m_report, m_rows, ReportPaper::inTwips(layout), m_printed);
}

bool frmReport::showRows(std::unique_ptr<ReportQuery> query, const QDate &printed, QString *error)
{
    ReportRows rows;
    if (!query->waitForCount(&rows, error))
        return false;
    const ReportPages pages(m_report, rows, ReportPaper::inTwips(m_layout), printed);
    if (!query->waitForRows(pages.rowsNeededFor(0), &rows, error))
        return false;
    m_query = std::move(query);
    m_rows = std::move(rows);
    m_printed = printed;
    m_pages = pagesFor(m_layout);
    showPage(0);
    return true;
}

// Takes the rows read since, waiting for those still to come; the query
// goes once it has given them all.
bool frmReport::readRows(qsizetype count, QString *error)
{
    if (m_rows.cells.rows() >= count)
        return true;
    if (!m_query->waitForRows(count, &m_rows, error))
        return false;
    if (m_rows.complete())
        m_query.reset();
    return true;
}

// The page laid out, its rows read as far as it needs them.
std::optional<ReportPage> frmReport::pageWithRows(int index, QString *error)
{
    if (!readRows(m_pages.rowsNeededFor(index), error))
        return std::nullopt;
    std::optional<ReportPage> page = m_pages.page(index);
    if (!page)
        *error = QStringLiteral("The rows of page %1 were not all read.").arg(index + 1);
    return page;
}

void frmReport::showPage(int index)
{
    m_current = std::clamp(index, 0, m_pages.count() - 1);
    QString error;
    const std::optional<ReportPage> page = pageWithRows(m_current, &error);
    if (!page) {
        m_messages.show(this, {QStringLiteral("The %1 could not be made.\n\n%2").arg(m_report.caption, error),
                               MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        close();
        return;
    }
    m_pageNumber->setText(QStringLiteral("Page %1 of %2").arg(m_current + 1).arg(m_pages.count()));
    const double dpi = 96.0 * m_zoom->currentData().toInt() / 100.0;
    const QSize paper = ReportPaper::inTwips(m_layout);
    // Drawn in the screen's own pixels, so that the letters stay sharp at a
    // scale above 100%.
    const double ratio = devicePixelRatioF();
    QImage image(qRound(paper.width() * dpi * ratio / 1440), qRound(paper.height() * dpi * ratio / 1440),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ReportPainter::paint(painter, *page, dpi);
    painter.end();
    m_view->setPixmap(QPixmap::fromImage(image));
    m_view->resize(image.deviceIndependentSize().toSize());
}

bool frmReport::savePdf(const QString &path, QString *error)
{
    if (!readRows(m_rows.count(), error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QPdfWriter writer(&file);
    writer.setTitle(m_report.caption);
    writer.setCreator(QStringLiteral("Bramblewood"));
    writer.setPageLayout(m_layout);
    if (!ReportPainter::print(writer, m_pages)) {
        *error = QStringLiteral("The PDF could not be drawn.");
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void frmReport::cmdSavePdf_Click()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save %1").arg(m_report.caption),
                                                      m_report.caption + QStringLiteral(".pdf"),
                                                      QStringLiteral("PDF files (*.pdf)"));
    QString error;
    if (!path.isEmpty() && !savePdf(path, &error))
        m_messages.show(this, {QStringLiteral("The report could not be saved as %1: %2").arg(path, error),
                               MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
}

bool frmReport::print(QPrinter &printer) const
{
    printer.setDocName(m_report.caption);
    // The paper chosen in the dialog decides the pages.
    printer.setFullPage(true);
    return ReportPainter::print(printer, pagesFor(printer.pageLayout()));
}

void frmReport::cmdPrint_Click()
{
    QString error;
    if (!readRows(m_rows.count(), &error)) {
        m_messages.show(this, {QStringLiteral("The report could not be printed.\n\n%1").arg(error),
                               MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_layout);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!print(printer))
        m_messages.show(this, {QStringLiteral("The report could not be printed."),
                               MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
}

void frmReport::closeEvent(QCloseEvent *event)
{
    emit closed();
    QWidget::closeEvent(event);
}
