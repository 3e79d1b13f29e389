#include "FakeLauncher.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"
#include "frmMain.h"
#include "frmMonthview.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    frmMain window{messages, launcher};

    explicit Fixture(int tab)
    {
        window.Form_Load();
        window.findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(tab);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    frmMonthview *open(const char *button, const char *calendar)
    {
        window.findChild<QPushButton *>(QString::fromLatin1(button))->click();
        return window.findChild<frmMonthview *>(QString::fromLatin1(calendar));
    }
    QLineEdit *box(const char *name) const { return window.findChild<QLineEdit *>(QString::fromLatin1(name)); }
    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
};

} // namespace

class tst_Calendars : public QObject
{
    Q_OBJECT
private slots:
    void pickHidesAndKeepsDate();
    void closeBoxWritesShownDateAndStartsAgainAtToday();
    void keysPickInStartDateCalendar();
    void lockedBoxTakesNoDate();
    void hiddenTabTakesDateWithoutFocus();
};

void tst_Calendars::pickHidesAndKeepsDate()
{
    Fixture f(1);
    f.window.findChild<QPushButton *>(QStringLiteral("cmdAdd2"))->click();
    frmMonthview *calendar = f.open("cmdMonthview2", "frmMonthview2");
    QVERIFY(calendar && calendar->isVisible());
    QCOMPARE(calendar->windowTitle(), QStringLiteral("Income Date"));
    QCOMPARE(calendar->calendar().selectedDate(), QDate::currentDate());
    calendar->calendar().setSelectedDate(QDate(2024, 3, 15));
    calendar->MonthView_DateClick();
    QCOMPARE(f.box("txtIncomeDate")->text(), QStringLiteral("3/15/2024"));
    QVERIFY(!calendar->isVisible());
    QCOMPARE(Fixture::focused(), QStringLiteral("txtIncomeInvoice"));
    QCOMPARE(f.open("cmdMonthview2", "frmMonthview2"), calendar);
    QCOMPARE(calendar->calendar().selectedDate(), QDate(2024, 3, 15));
    VERIFY_MESSAGES(f.messages);
}

void tst_Calendars::closeBoxWritesShownDateAndStartsAgainAtToday()
{
    Fixture f(1);
    f.window.findChild<QPushButton *>(QStringLiteral("cmdAdd3"))->click();
    QPointer<frmMonthview> calendar = f.open("cmdMonthView3", "frmMonthview3");
    QCOMPARE(calendar->calendar().objectName(), QStringLiteral("MonthView2"));
    calendar->calendar().setSelectedDate(QDate(2025, 1, 9));
    calendar->close();
    QCOMPARE(f.box("txtExpenseDate")->text(), QStringLiteral("1/9/2025"));
    QCOMPARE(Fixture::focused(), QStringLiteral("txtExpenseInvoice"));
    QTRY_VERIFY(!calendar);
    QCOMPARE(f.open("cmdMonthView3", "frmMonthview3")->calendar().selectedDate(), QDate::currentDate());
    VERIFY_MESSAGES(f.messages);
}

void tst_Calendars::keysPickInStartDateCalendar()
{
    Fixture f(0);
    frmMonthview *calendar = f.open("cmdMonthView", "frmMonthview");
    calendar->calendar().setSelectedDate(QDate(2023, 7, 4));
    QWidget *view = calendar->calendar().findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview"));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(f.box("txtDateStarted")->text(), QStringLiteral("7/4/2023"));
    QVERIFY(!calendar->isVisible());
    QCOMPARE(Fixture::focused(), QStringLiteral("txtVisitAmount"));
    VERIFY_MESSAGES(f.messages);
}

void tst_Calendars::lockedBoxTakesNoDate()
{
    Fixture f(1);
    f.messages.expect({"Press New or Edit first: a date can only go into a record that is being "
                       "entered.",
                       "Income Date", QMessageBox::Ok, QMessageBox::Information});
    frmMonthview *calendar = f.open("cmdMonthview2", "frmMonthview2");
    calendar->MonthView_DateClick();
    QVERIFY(f.box("txtIncomeDate")->text().isEmpty());
    QVERIFY(calendar->isVisible());
    VERIFY_MESSAGES(f.messages);
}

void tst_Calendars::hiddenTabTakesDateWithoutFocus()
{
    Fixture f(0);
    frmMonthview *calendar = f.open("cmdMonthView", "frmMonthview");
    f.window.findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
    calendar->calendar().setSelectedDate(QDate(2022, 2, 2));
    calendar->MonthView_DateClick();
    QCOMPARE(f.box("txtDateStarted")->text(), QStringLiteral("2/2/2022"));
    QVERIFY(Fixture::focused() != QLatin1String("txtVisitAmount"));
    VERIFY_MESSAGES(f.messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_Calendars)
#include "tst_Calendars.moc"
