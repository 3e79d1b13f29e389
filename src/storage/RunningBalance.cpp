#include "RunningBalance.h"

#include "Balance.h"
#include "NumberText.h"
#include "SafeFiles.h"
#include "SideFile.h"

#include <QFile>
#include <QFileInfo>

RunningBalance::RunningBalance(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath)
{
}

void RunningBalance::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit changed(m_text);
}

bool RunningBalance::setFromFile(const QString &content)
{
    const auto balance = Balance::fromFile(content);
    if (!balance)
        return false;
    setText(NumberText::twoDecimals(*balance));
    return true;
}

QString RunningBalance::afterStep(const QString &amountText, int sign) const
{
    return Balance::afterStep(m_text, amountText, sign);
}

bool RunningBalance::save(const QString &text, QString *error) const
{
    return SideFile::write(m_filePath, Balance::fileText(text), error);
}

QString RunningBalance::fileName() const
{
    return QFileInfo(m_filePath).fileName();
}

std::optional<QByteArray> RunningBalance::fileContent(QString *error) const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    return content;
}

bool RunningBalance::restoreFile(const QByteArray &content, QString *error) const
{
    return SafeFiles::write(m_filePath, content, error);
}
