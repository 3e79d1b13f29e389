#include "WidgetMessageBox.h"

#include <QApplication>
#include <QTest>

class tst_WidgetMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void titleShowsWhole_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("a short text") << "Invalid Start Date" << "You need to enter a start date!";
        QTest::newRow("a long title") << "The backup archive could not be checked" << "OK?";
    }

    // A box is at least as wide as its title in a bold face, and the title
    // bar's buttons beside it.
    void titleShowsWhole()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
        WidgetMessageBox::makeRoomForTitle(box);
        QFont bold = box.font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        QVERIFY(box.sizeHint().width() >= metrics.horizontalAdvance(title) + 4 * metrics.height());
    }
};

QTEST_MAIN(tst_WidgetMessageBox)
#include "tst_WidgetMessageBox.moc"
