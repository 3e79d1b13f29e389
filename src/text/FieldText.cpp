#include "FieldText.h"

#include "DateText.h"
#include "NumberText.h"
#include "QuotedText.h"

namespace FieldText {

QString display(const QVariant &value, FieldFormat format)
{
    if (value.isNull())
        return {};
    switch (format) {
    case FieldFormat::Money:
        return NumberText::twoDecimals(value.toDouble());
    case FieldFormat::Date: {
        const QDate date = DateText::fromStored(value.toString());
        return date.isValid() ? DateText::toShort(date) : value.toString();
    }
    case FieldFormat::Number:
    case FieldFormat::Text:
        break;
    }
    if (value.typeId() == QMetaType::Double)
        return NumberText::shortest(value.toDouble());
    return value.toString();
}

std::optional<QVariant> stored(const QString &text, FieldFormat format, const QDate &today,
                               QString *error)
{
    switch (format) {
    case FieldFormat::Text:
        return QVariant(text);
    case FieldFormat::Money: {
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto number = NumberText::readPlain(text))
            return QVariant(*number);
        *error = QStringLiteral("%1 is not an amount.").arg(QuotedText::of(text));
        return std::nullopt;
    }
    case FieldFormat::Date: {
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto date = DateText::fromShort(text, today))
            return QVariant(DateText::toStored(*date));
        *error = QStringLiteral("%1 is not a date.").arg(QuotedText::of(text));
        return std::nullopt;
    }
    case FieldFormat::Number:
        break;
    }
    *error = QStringLiteral("A number assigned by the database cannot be typed.");
    return std::nullopt;
}

} // namespace FieldText
