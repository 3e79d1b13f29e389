#pragma once

#include <QLocale>

// The expected texts of the tests are written as en_US shows dates. A test
// that compares with them sets that locale itself, so that a test program
// started by hand under another locale answers as it does under ctest.
inline void useUsEnglish()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}
