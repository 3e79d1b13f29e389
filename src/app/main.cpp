#include "Clock.h"
#include "CommandLine.h"
#include "DataFolder.h"
#include "DesktopLauncher.h"
#include "ReadOnlyLook.h"
#include "Startup.h"
#include "WidgetMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <cstdio>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    const SystemClock clock;
    if (const auto code = CommandLine::run(argc, argv, clock))
        return *code;
    if (!hasDisplay()) {
        std::fputs("Bramblewood needs a display, and none is set (DISPLAY is empty).\n"
                   "On a machine without one, run it under a virtual display:\n"
                   "  xvfb-run -a -s '-screen 0 1024x768x24' bramblewood\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bramblewood"));
    // The layout is drawn for a small 8-point sans face; Liberation Sans has
    // the metrics of the face it was drawn for.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    QApplication::setStyle(new ReadOnlyLook);
    WidgetMessageBox messages;
    DesktopLauncher launcher;
    // The data folder is the folder the program is started in; beside this,
    // only --restore and --convert-from read the current folder, as theirs
    // when none is given.
    Startup startup(DataFolder(QDir::currentPath()), messages, launcher, clock);
    if (!startup.run())
        return 1;
    return app.exec();
}
