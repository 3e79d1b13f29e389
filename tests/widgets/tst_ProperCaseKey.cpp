#include "AutoCompleteBox.h"
#include "CapitalisingKeys.h"
#include "ProperCaseKey.h"

#include <QTest>

class tst_ProperCaseKey : public QObject
{
    Q_OBJECT
private slots:
    void typing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");  // of the caret or selection
        QTest::addColumn<int>("length"); // of the selection; negative: selected backwards
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two words") << "" << 0 << 0 << "john smith" << "John Smith";
        QTest::newRow("capitals") << "" << 0 << 0 << "JOHN SMITH" << "John Smith";
        QTest::newRow("hyphen, full stop") << "" << 0 << 0 << "mary-ann st. louis" << "Mary-Ann St. Louis";
        QTest::newRow("Mc, not Mac") << "" << 0 << 0 << "mcdonald macdonald" << "McDonald Macdonald";
        QTest::newRow("apostrophe, digits") << "" << 0 << 0 << "o'neil 12 elm" << "O'neil 12 Elm";
        QTest::newRow("blank before caret") << "John mith" << 5 << 0 << "s" << "John Smith";
        QTest::newRow("blank after caret") << "John mith" << 4 << 0 << "x" << "JohnX mith";
        QTest::newRow("M then c after caret") << "aMcx" << 2 << 0 << "d" << "aMDcx";
        QTest::newRow("M first, c after caret") << "Mcx" << 1 << 0 << "D" << "Mdcx";
        QTest::newRow("lone M") << "M" << 1 << 0 << "A" << "Ma";
        QTest::newRow("small mc") << "mc" << 2 << 0 << "d" << "mcd";
        QTest::newRow("selected forwards") << "John Xyz" << 5 << 3 << "s" << "John S";
        QTest::newRow("selected backwards") << "Ab Cd" << 5 << -2 << "e" << "Ab E";
        QTest::newRow("backspace passes") << "mcDONALD" << 8 << 0 << "\b" << "mcDONAL";
    }

    // Typed key by key into a plain box and an autocomplete one; the start of
    // a selection counts as the caret. Pasted text is left as it is.
    void typing()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QLineEdit plain;
        AutoCompleteBox completing;
        CapitalisingKeys capitalising;
        for (QLineEdit *box : {&plain, static_cast<QLineEdit *>(&completing)}) {
            capitalising.watch(box);
            box->setText(text);
            box->setSelection(start, length);
            if (typed == "\b")
                QTest::keyClick(box, Qt::Key_Backspace);
            else
                QTest::keyClicks(box, typed);
            box->end(false);
            box->insert(QStringLiteral(" x y"));
            QCOMPARE(box->text(), expected + " x y");
        }
    }

    void keysWithoutCaseAndLongTexts()
    {
        QCOMPARE(ProperCaseKey(QStringLiteral("ab"), 2, QChar(8)), QChar(8));
        const QString text = QString(40000, u'a') + QStringLiteral(" b");
        QCOMPARE(ProperCaseKey(text, 40001, u'x'), u'X');
        QCOMPARE(ProperCaseKey(text, 32767, u'X'), u'x');
        QCOMPARE(ProperCaseKey(text, 40000, u'x'), u'X'); // the blank just after the caret
        QCOMPARE(ProperCaseKey(QStringLiteral("ab"), -5, u'x'), u'X');
    }
};

QTEST_MAIN(tst_ProperCaseKey)
#include "tst_ProperCaseKey.moc"
