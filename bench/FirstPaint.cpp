// The helper the bench spawns for what only a process of its own can show:
// the time from spawn to the first paint of a window, and the program's peak
// memory. It prints one line, then ends at once with _exit, so that no exit
// sequence runs and nothing after the moment measured is counted.
//
//   bench_first_paint program FOLDER    start as the program does; prints at
//                                       the main window's first paint
//   bench_first_paint empty             a plain window; prints at its first paint
//   bench_first_paint rss FOLDER        start, show the Customers tab and its
//                                       first customer, search once; prints the
//                                       peak resident memory (VmHWM) in KiB
//   bench_first_paint rss-empty FOLDER  the same on a new, empty folder, which
//                                       has no customer to wait for

#include "Clock.h"
#include "CustomerTab.h"
#include "DataFolder.h"
#include "DesktopLauncher.h"
#include "PaintWatch.h"
#include "Startup.h"
#include "WidgetMessageBox.h"
#include "frmMain.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

[[noreturn]] void finish(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    _exit(0);
}

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    std::fflush(stderr);
    _exit(1);
}

// A box on the way, such as a folder refused, would wait for a click forever.
void failAfterHalfAMinute()
{
    QTimer::singleShot(30000, [] {
        const auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        fail(QStringLiteral("Still waiting after 30 s") +
             (box ? QStringLiteral(", on the box: ") + box->text() : QString()));
    });
}

// For the memory: answers OK without showing anything, so that the empty
// folder's "You must add a record." does not wait for a click. A folder with
// customers shows no box.
class SilentMessageBox final : public MessageBox
{
public:
    explicit SilentMessageBox(bool boxesExpected) : m_boxesExpected(boxesExpected) {}
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        if (!m_boxesExpected)
            fail(QStringLiteral("The program showed: ") + request.text);
        return QMessageBox::Ok;
    }

private:
    bool m_boxesExpected;
};

QByteArray peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        fail(status.errorString());
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first();
    fail(QStringLiteral("/proc/self/status has no VmHWM."));
}

// As src/app/main.cpp starts the program, on the folder given.
class Program
{
public:
    Program(const QString &folder, MessageBox &messages)
        : m_startup(DataFolder(folder), messages, m_launcher, m_clock)
    {
        QApplication::setApplicationName(QStringLiteral("Bramblewood"));
        QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    }

    frmMain &start()
    {
        if (!m_startup.run())
            fail(QStringLiteral("The program did not start."));
        return *m_startup.mainWindow();
    }

private:
    DesktopLauncher m_launcher;
    SystemClock m_clock;
    Startup m_startup;
};

int firstPaintOfProgram(const QString &folder)
{
    const PaintWatch watch(QStringLiteral("frmMain"), [](QWidget &window) {
        if (window.isWindow())
            finish("painted");
    });
    WidgetMessageBox messages;
    Program program(folder, messages);
    program.start();
    return QApplication::exec();
}

int firstPaintOfEmptyWindow()
{
    const PaintWatch watch(QStringLiteral("empty"), [](QWidget &) { finish("painted"); });
    QWidget window;
    window.setObjectName(QStringLiteral("empty"));
    window.show();
    return QApplication::exec();
}

void processEventsUntil(const std::function<bool()> &done)
{
    QTimer tick; // wakes the wait when no other event does
    tick.start(5);
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

int peakMemory(const QString &folder, bool empty)
{
    bool painted = false;
    const PaintWatch watch(QStringLiteral("frmMain"), [&](QWidget &) { painted = true; });
    SilentMessageBox messages(empty);
    Program program(folder, messages);
    const frmMain &window = program.start();
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    auto *customers = window.findChild<CustomerTab *>();
    if (!tabs || !customers)
        fail(QStringLiteral("The main window has no Customers tab."));
    tabs->setCurrentWidget(customers);
    const CustomerTabForm &form = customers->form();
    processEventsUntil([&] { return painted && (empty || !form.name->text().isEmpty()); });
    form.byName->setChecked(true);
    form.searchText->setText(QStringLiteral("mit"));
    customers->cmdSearch_Click();
    QApplication::processEvents();
    finish(peakKiB());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    failAfterHalfAMinute();
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString mode = arguments.value(0);
    if (mode == QLatin1String("empty") && arguments.size() == 1)
        return firstPaintOfEmptyWindow();
    if (arguments.size() == 2 && mode == QLatin1String("program"))
        return firstPaintOfProgram(arguments.at(1));
    if (arguments.size() == 2 && (mode == QLatin1String("rss") || mode == QLatin1String("rss-empty")))
        return peakMemory(arguments.at(1), mode == QLatin1String("rss-empty"));
    fail(QStringLiteral("Usage: bench_first_paint program FOLDER | empty | rss FOLDER | rss-empty FOLDER"));
}
