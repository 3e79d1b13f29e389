#include "PasswordFile.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "MessageBox.h"
#include "SideFile.h"

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
    return typed + QStringLiteral("\r\n") == stored;
}

bool write(const DataFolder &folder, const QString &password, QString *error)
{
    return SideFile::write(folder.filePath(DataFiles::password), password, error);
}

} // namespace PasswordFile
