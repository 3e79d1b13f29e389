#include "AutoCompleteBox.h"
#include "CapitalisingKeys.h"
#include "ProperCaseKey.h"

#include <QLineEdit>
#include <QTest>

class tst_ProperCaseKey : public QObject
{
    Q_OBJECT
private slots:
    void typedKeyByKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two words") << "john smith" << "John Smith";
        QTest::newRow("capitals") << "JOHN SMITH" << "John Smith";
        QTest::newRow("hyphen") << "mary-ann" << "Mary-Ann";
        QTest::newRow("full stop") << "st. louis" << "St. Louis";
        QTest::newRow("Mc") << "mcdonald" << "McDonald";
        QTest::newRow("Mac is not Mc") << "macdonald" << "Macdonald";
        QTest::newRow("apostrophe") << "o'neil" << "O'neil";
        QTest::newRow("digits") << "12 elm st" << "12 Elm St";
    }

    // Typed through real boxes, a plain one and an autocomplete one, as the user types.
    void typedKeyByKey()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QLineEdit plain;
        AutoCompleteBox completing;
        CapitalisingKeys capitalising;
        capitalising.watch(&plain);
        capitalising.watch(&completing);
        QTest::keyClicks(&plain, typed);
        QTest::keyClicks(&completing, typed);
        QCOMPARE(plain.text(), expected);
        QCOMPARE(completing.text(), expected);
    }

    void editingInsideText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length"); // of the selection; negative: selected backwards
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blank before caret") << "John mith" << 5 << 0 << "s" << "John Smith";
        QTest::newRow("blank after caret") << "John mith" << 4 << 0 << "x" << "JohnX mith";
        QTest::newRow("M then c after caret") << "aMcx" << 2 << 0 << "d" << "aMDcx";
        QTest::newRow("M first, c after caret") << "Mcx" << 1 << 0 << "D" << "Mdcx";
        QTest::newRow("lone M") << "M" << 1 << 0 << "A" << "Ma";
        QTest::newRow("small mc") << "mc" << 2 << 0 << "d" << "mcd";
        QTest::newRow("blank inserted") << "Johnsmith" << 4 << 0 << " " << "John smith";
        QTest::newRow("selected forwards") << "John Xyz" << 5 << 3 << "s" << "John S";
        QTest::newRow("selected backwards") << "Ab Cd" << 5 << -2 << "e" << "Ab E";
        QTest::newRow("backspace passes") << "mcDONALD" << 8 << 0 << "\b" << "mcDONAL";
    }

    // The selection's start counts as the caret, whichever way it was made.
    void editingInsideText()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QLineEdit box;
        CapitalisingKeys capitalising;
        capitalising.watch(&box);
        box.setText(text);
        box.setSelection(start, length);
        if (typed == "\b")
            QTest::keyClick(&box, Qt::Key_Backspace);
        else
            QTest::keyClicks(&box, typed);
        QCOMPARE(box.text(), expected);
        box.end(false);
        box.insert(QStringLiteral(" x y")); // as pasted: left as it is
        QCOMPARE(box.text(), expected + " x y");
    }

    void keysWithoutCaseAndLongTexts()
    {
        QCOMPARE(ProperCaseKey(QStringLiteral("ab"), 2, QChar(8)), QChar(8));
        QCOMPARE(ProperCaseKey(QString(), 0, QChar(13)), QChar(13));
        QCOMPARE(ProperCaseKey(QStringLiteral("a "), 2, u'7'), u'7');
        const QString text = QString(40000, u'a') + QStringLiteral(" b");
        QCOMPARE(ProperCaseKey(text, 40001, u'x'), u'X');
        QCOMPARE(ProperCaseKey(text, 32767, u'X'), u'x');
        QCOMPARE(ProperCaseKey(text, 40000, u'x'), u'X'); // the blank just after the caret
        QCOMPARE(ProperCaseKey(QStringLiteral("ab"), -5, u'x'), u'X');
    }
};

QTEST_MAIN(tst_ProperCaseKey)
#include "tst_ProperCaseKey.moc"
