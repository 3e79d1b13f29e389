#include "AutoCompleteBox.h"
#include "CapitalisingKeys.h"
#include "ProperCaseKey.h"
#include <QTest>

#include <QLineEdit>

class tst_ProperCaseKey : public QObject
{
    Q_OBJECT
private slots:
    void typedKeyByKey_data();
    void typedKeyByKey();
    void caretInsideText_data();
    void caretInsideText();
    void selectionStartIsTheCaret();
    void controlKeysAndProgramTextPassUnchanged();
    void caretPastSixteenBits();
};

void tst_ProperCaseKey::typedKeyByKey_data()
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
    QTest::newRow("sentence") << "needs service in may" << "Needs Service In May";
    QTest::newRow("digits") << "12 elm st" << "12 Elm St";
}

// Typed through real boxes, a plain one and an autocomplete one, as the user types.
void tst_ProperCaseKey::typedKeyByKey()
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

void tst_ProperCaseKey::caretInsideText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blank before caret") << "John mith" << 5 << "s" << "John Smith";
    QTest::newRow("blank after caret capitalises") << "John mith" << 4 << "x" << "JohnX mith";
    QTest::newRow("M then c after caret") << "aMcx" << 2 << "d" << "aMDcx";
    QTest::newRow("M first, c after caret") << "Mcx" << 1 << "D" << "Mdcx";
    QTest::newRow("lone M") << "M" << 1 << "A" << "Ma";
    QTest::newRow("small mc") << "mc" << 2 << "d" << "mcd";
    QTest::newRow("blank inserted keeps word") << "Johnsmith" << 4 << " " << "John smith";
}

void tst_ProperCaseKey::caretInsideText()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QLineEdit box;
    CapitalisingKeys capitalising;
    capitalising.watch(&box);
    box.setText(text);
    box.setCursorPosition(caret);
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), expected);
}

void tst_ProperCaseKey::selectionStartIsTheCaret()
{
    QLineEdit box;
    CapitalisingKeys capitalising;
    capitalising.watch(&box);
    box.setText(QStringLiteral("John Xyz"));
    box.setSelection(5, 3); // "Xyz", selected forwards: the caret stands after it
    QTest::keyClicks(&box, QStringLiteral("s"));
    QCOMPARE(box.text(), QStringLiteral("John S"));
    box.setText(QStringLiteral("Ab Cd"));
    box.setSelection(5, -2); // "Cd", selected backwards from the end
    QTest::keyClicks(&box, QStringLiteral("e"));
    QCOMPARE(box.text(), QStringLiteral("Ab E"));
}

void tst_ProperCaseKey::controlKeysAndProgramTextPassUnchanged()
{
    QCOMPARE(ProperCaseKey(QStringLiteral("ab"), 2, QChar(8)), QChar(8));
    QCOMPARE(ProperCaseKey(QString(), 0, QChar(13)), QChar(13));
    QCOMPARE(ProperCaseKey(QStringLiteral("a "), 2, u'7'), u'7');
    QLineEdit box;
    CapitalisingKeys capitalising;
    capitalising.watch(&box);
    box.setText(QStringLiteral("mcDONALD o'NEIL"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), QStringLiteral("mcDONALD o'NEI"));
    box.insert(QStringLiteral("x y")); // as pasted
    QCOMPARE(box.text(), QStringLiteral("mcDONALD o'NEIx y"));
}

void tst_ProperCaseKey::caretPastSixteenBits()
{
    const QString text = QString(40000, u'a') + QStringLiteral(" b");
    QCOMPARE(ProperCaseKey(text, 40001, u'x'), u'X');
    QCOMPARE(ProperCaseKey(text, 32767, u'X'), u'x');
    QCOMPARE(ProperCaseKey(text, 40000, u'x'), u'X'); // the blank just after the caret
    QCOMPARE(ProperCaseKey(QStringLiteral("ab"), -5, u'x'), u'X');
}

QTEST_MAIN(tst_ProperCaseKey)
#include "tst_ProperCaseKey.moc"
