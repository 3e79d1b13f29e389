#include "Calculator.h"

#include "Launcher.h"
#include "MessageBox.h"

#include <QStandardPaths>

namespace Calculator {

QStringList candidates()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
}

QString find()
{
    for (const QString &name : candidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void start(Launcher &launcher, MessageBox &messages, QWidget *parent)
{
    const QString program = find();
    QString error;
    if (program.isEmpty())
        error = QStringLiteral("No calculator was found. Install one of these programs: %1.")
                    .arg(candidates().join(QLatin1String(", ")));
    else if (launcher.startProgram(program, &error))
        return;
    messages.show(parent, {error, MessageBox::applicationTitle(), QMessageBox::Ok,
                           QMessageBox::Information});
}

} // namespace Calculator
