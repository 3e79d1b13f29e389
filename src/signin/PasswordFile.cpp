#include "PasswordFile.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "MessageBox.h"
#include "SideFile.h"

#include <QFile>

namespace {

QString passwordIn(const QString &stored)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return stored.endsWith(lineBreak) ? stored.chopped(lineBreak.size()) : stored;
}

} // namespace

namespace PasswordFile {

std::optional<QString> load(const DataFolder &folder, MessageBox &messages, QWidget *parent,
                            const QString &title)
{
    QString error;
    auto stored = SideFile::read(folder.filePath(DataFiles::password), &error);
    if (!stored)
        messages.show(parent, {QStringLiteral("The password file %1 could not be read: %2")
                                   .arg(DataFiles::password, error),
                               title, QMessageBox::Ok, QMessageBox::Warning});
    return stored;
}

bool matches(const QString &typed, const QString &stored)
{
    return typed == passwordIn(stored);
}

bool holdsPassword(const DataFolder &folder)
{
    const QString path = folder.filePath(DataFiles::password);
    if (!QFile::exists(path))
        return false;
    QString error;
    const auto stored = SideFile::read(path, &error);
    return !stored || !passwordIn(*stored).isEmpty();
}

bool write(const DataFolder &folder, const QString &password, QString *error)
{
    return SideFile::write(folder.disk(), folder.filePath(DataFiles::password), password, error);
}

} // namespace PasswordFile
