#include "frmAbout.h"

#include "FormBuilder.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "ProgramPath.h"
#include "SystemInformation.h"
#include "Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(Launcher &launcher, MessageBox &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_launcher(launcher), m_messages(messages)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + MessageBox::applicationTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(5730), Twips::toPixels(3450));

    const FormBuilder in(this);
    auto *icon = in.label(QString(), 240, 240, 960, 960);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QPixmap(QStringLiteral(":/bramblewood.png")));
    auto *title = in.label(QStringLiteral("Bramblewood: customers, income, expenses and reports"),
                           1320, 240, 4200, 480);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setWordWrap(true);
    in.label(QStringLiteral("Version 2.5"), 1320, 780, 4200)->setObjectName(QStringLiteral("lblVersion"));
    for (const int top : {1500, 1530}) {
        auto *line = new QFrame;
        line->setObjectName(QStringLiteral("Line1"));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(top == 1500 ? QFrame::Sunken : QFrame::Plain);
        in.place(line, 120, top, 5490, 30);
    }
    in.label(QStringLiteral("Please email any bugs to: support@quillmark.com"), 240, 1680, 5250, 480)
        ->setObjectName(QStringLiteral("lblDisclaimer"));
    auto *ok = in.button(QStringLiteral("cmdOK"), QStringLiteral("OK"), 4200, 2400, 1260, 375);
    ok->setDefault(true);
    auto *sysInfo = in.button(QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."), 4200,
                              2880, 1260, 375);
    // OK is the Cancel button too: Esc closes the box as OK does.
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::cmdSysInfo_Click()
{
    const QString program = firstProgramOnPath(SystemInformation::candidates());
    QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");
    QString error;
    if (program.isEmpty())
        unavailable += QStringLiteral("\n\nNo system information program was found. Install one of "
                                      "these Debian packages: %1.")
                           .arg(SystemInformation::candidates().join(QLatin1String(", ")));
    else if (m_launcher.startProgram(program, &error))
        return;
    m_messages.show(this, {unavailable, MessageBox::applicationTitle()});
}
