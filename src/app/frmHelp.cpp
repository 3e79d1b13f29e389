#include "frmHelp.h"

#include "CloseKeys.h"
#include "MessageBox.h"
#include "Twips.h"

#include <QUrl>

frmHelp::frmHelp(const QString &page, QWidget *mainWindow) : QTextBrowser(mainWindow)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(MessageBox::applicationTitle() + QStringLiteral(" Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Links out of the page go to whatever the system opens them with.
    setOpenExternalLinks(true);
    setSource(QUrl::fromLocalFile(page));
    resize(Twips::toPixels(10800), Twips::toPixels(9000));
    move(mainWindow->geometry().center() - rect().center());
    addCloseKeys(this);
}
