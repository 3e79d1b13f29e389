#include "QuotedText.h"

namespace QuotedText {

QString of(const QString &text)
{
    constexpr qsizetype shown = 40;
    if (text.size() <= shown)
        return u'"' + text + u'"';
    QString head = text.left(shown);
    if (head.back().isHighSurrogate())
        head.chop(1); // half a character would show as garbage
    return u'"' + head + QStringLiteral("…\"");
}

} // namespace QuotedText
