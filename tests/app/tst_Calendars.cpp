#include "MainWindowFixture.h"
#include "frmMonthview.h"

#include <QCalendarWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTest>

namespace {

// The main window showing one of its tabs, shown and active.
struct Fixture : MainWindowFixture {
    explicit Fixture(int tab)
    {
        load();
        control<QTabWidget>(window.get(), "SSTab1")->setCurrentIndex(tab);
        showActive(window.get());
    }
    frmMonthview *open(const char *button, const char *calendar) const
    {
        click(window.get(), button);
        return window->findChild<frmMonthview *>(QString::fromLatin1(calendar));
    }
};

} // namespace

class tst_Calendars : public QObject
{
    Q_OBJECT
private slots:
    // Only a box open for typing takes a date; picking hides the calendar,
    // which opens again on the date picked.
    void pickHidesAndKeepsDate()
    {
        Fixture f(1);
        f.messages.expect({"Press New or Edit first: a date can only go into a record that is being "
                           "entered.",
                           "Income Date", QMessageBox::Ok, QMessageBox::Information});
        frmMonthview *calendar = f.open("cmdMonthview2", "frmMonthview2");
        calendar->MonthView_DateClick();
        QVERIFY(f.text("txtIncomeDate").isEmpty() && calendar->isVisible());
        click(f.window.get(), "cmdAdd2");
        QCOMPARE(calendar->windowTitle(), QStringLiteral("Income Date"));
        QCOMPARE(calendar->calendar().selectedDate(), QDate::currentDate());
        calendar->calendar().setSelectedDate(QDate(2024, 3, 15));
        calendar->MonthView_DateClick();
        QCOMPARE(f.text("txtIncomeDate"), QStringLiteral("3/15/2024"));
        QVERIFY(!calendar->isVisible());
        QCOMPARE(focused(), QStringLiteral("txtIncomeInvoice"));
        QCOMPARE(f.open("cmdMonthview2", "frmMonthview2"), calendar);
        QCOMPARE(calendar->calendar().selectedDate(), QDate(2024, 3, 15));
    }

    void closeBoxWritesShownDateAndStartsAgainAtToday()
    {
        Fixture f(1);
        click(f.window.get(), "cmdAdd3");
        QPointer<frmMonthview> calendar = f.open("cmdMonthView3", "frmMonthview3");
        QCOMPARE(calendar->calendar().objectName(), QStringLiteral("MonthView2"));
        calendar->calendar().setSelectedDate(QDate(2025, 1, 9));
        calendar->close();
        QCOMPARE(f.text("txtExpenseDate"), QStringLiteral("1/9/2025"));
        QCOMPARE(focused(), QStringLiteral("txtExpenseInvoice"));
        QTRY_VERIFY(!calendar);
        QCOMPARE(f.open("cmdMonthView3", "frmMonthview3")->calendar().selectedDate(), QDate::currentDate());
    }

    void keysPickInStartDateCalendar()
    {
        Fixture f(0);
        frmMonthview *calendar = f.open("cmdMonthView", "frmMonthview");
        calendar->calendar().setSelectedDate(QDate(2023, 7, 4));
        QWidget *view = calendar->calendar().findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview"));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(f.text("txtDateStarted"), QStringLiteral("7/4/2023"));
        QVERIFY(!calendar->isVisible());
        QCOMPARE(focused(), QStringLiteral("txtVisitAmount"));
        // A box on a tab no longer shown takes the date, not the focus.
        f.open("cmdMonthView", "frmMonthview");
        control<QTabWidget>(f.window.get(), "SSTab1")->setCurrentIndex(2);
        calendar->calendar().setSelectedDate(QDate(2022, 2, 2));
        calendar->MonthView_DateClick();
        QCOMPARE(f.text("txtDateStarted"), QStringLiteral("2/2/2022"));
        QVERIFY(focused() != QLatin1String("txtVisitAmount"));
    }
};

QTEST_MAIN(tst_Calendars)
#include "tst_Calendars.moc"
