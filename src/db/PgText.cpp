#include "PgText.h"

#include <QRegularExpression>

namespace PgText {

QString numbered(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    QChar quote; // the quote we are inside, if any
    int parameter = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            out += u'$' + QString::number(++parameter);
            continue;
        }
        out += c;
    }
    return out;
}

QString withoutIndexHints(const QString &sql)
{
    static const QRegularExpression hint(QStringLiteral(R"((^|[(\s])\+(?="))"));
    return QString(sql).replace(hint, QStringLiteral("\\1"));
}

QList<QByteArray> parameters(const QVariantList &values)
{
    QList<QByteArray> texts;
    for (const QVariant &value : values) {
        if (value.isNull())
            texts << QByteArray();
        else if (value.typeId() == QMetaType::Bool)
            texts << (value.toBool() ? QByteArray("true") : QByteArray("false"));
        else
            texts << value.toString().toUtf8();
    }
    return texts;
}

} // namespace PgText
