#include "StoredPassword.h"

#include "DataFiles.h"
#include "MessageBox.h"
#include "PasswordFile.h"

std::optional<QString> storedPassword(const DataFolder &folder, MessageBox &messages,
                                      QWidget *parent, const QString &title)
{
    QString error;
    auto stored = PasswordFile::read(folder, &error);
    if (!stored)
        messages.show(parent, {QStringLiteral("The password file %1 could not be read: %2")
                                   .arg(DataFiles::password, error),
                               title, QMessageBox::Ok, QMessageBox::Warning});
    return stored;
}
