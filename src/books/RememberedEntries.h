#pragma once

#include <QStringList>

// The words an autocomplete box offers: the most recent first, no word twice,
// at most maxCount of them. Its value is one text, the words one per line, so
// that the CR LF a side file adds after it reads back as the same list.
class RememberedEntries
{
public:
    explicit RememberedEntries(int maxCount = 50);

    void remember(const QString &typed);
    const QStringList &words() const { return m_words; }

    QString value() const;
    void setValue(const QString &value);

private:
    int m_maxCount;
    QStringList m_words;
};
