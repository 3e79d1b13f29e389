#include "ProperCaseKey.h"

QChar ProperCaseKey(const QString &text, qsizetype caret, QChar key)
{
    if (key == QChar(8))
        return key;
    // p counts from 1 and reaches one character past the caret; S is the text
    // up to there, so the characters looked at are the one or two before the
    // caret and the one after it.
    const qsizetype p = std::max<qsizetype>(caret, 0) + 1;
    const QString s = text.left(p);
    if (p == 1)
        return key.toUpper();
    for (qsizetype i = p - 2; i < s.size(); ++i)
        if (s[i] == u'-' || s[i] == u' ' || s[i] == u'.')
            return key.toUpper();
    if (p > 2 && s.indexOf(QLatin1String("Mc"), p - 3) >= 0)
        return key.toUpper();
    return key.toLower();
}
