#pragma once

#include <QObject>
#include <QString>
#include <optional>

// The running balance as the program holds it: the text the balance box
// shows (as the user set it, or as the last ledger step wrote it) and the
// file balance.kvd it is saved to. Every step reads the number back from the
// text, so that what is shown is what counts.
class RunningBalance : public QObject
{
    Q_OBJECT
public:
    explicit RunningBalance(const QString &filePath, QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);

    // Takes the content of balance.kvd; false, and nothing changed, when it
    // holds no number. The balance is then shown with two decimals.
    bool setFromFile(const QString &content);

    // The text after a ledger step of the amount text: +1 adds, -1 takes away.
    QString afterStep(const QString &amountText, int sign) const;
    void step(const QString &amountText, int sign) { setText(afterStep(amountText, sign)); }

    // "balance.kvd", as messages name it.
    QString fileName() const;
    // The file's bytes as they are, and the same bytes written back safely.
    std::optional<QByteArray> fileContent(QString *error) const;
    bool restoreFile(const QByteArray &content, QString *error) const;
    // Writes balance.kvd safely with the shortest form of the balance text.
    bool save(const QString &text, QString *error) const;

signals:
    void changed(const QString &text);

private:
    QString m_filePath;
    QString m_text;
};
