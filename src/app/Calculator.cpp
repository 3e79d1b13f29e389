#include "Calculator.h"

#include "Launcher.h"
#include "MessageBox.h"
#include "ProgramPath.h"

namespace Calculator {

QStringList candidates()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
}

void start(Launcher &launcher, MessageBox &messages, QWidget *parent)
{
    const QString program = firstProgramOnPath(candidates());
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
