#include "VirtualDisplay.h"

#include <QStandardPaths>

VirtualDisplay::VirtualDisplay() : m_display(qEnvironmentVariable("DISPLAY"))
{
    if (m_display.isEmpty())
        startXvfb();
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_xvfb.state() == QProcess::NotRunning)
        return;
    m_xvfb.terminate();
    if (!m_xvfb.waitForFinished(5000))
        m_xvfb.kill();
}

// -displayfd lets Xvfb take the first free display number and tell it once
// it accepts connections, so that two benches never race for one number.
void VirtualDisplay::startXvfb()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        m_reason = QStringLiteral("DISPLAY is unset and Xvfb is not installed (scripts/install-deps.sh "
                                  "installs it)");
        return;
    }
    // What Xvfb says goes to the bench's own error output, where a failure to
    // start is seen and nothing can fill a pipe that no one reads.
    m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                          QStringLiteral("-screen"), QStringLiteral("0"),
                                          QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp")});
    while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(10000)) {
    }
    if (!m_xvfb.canReadLine()) {
        m_reason = QStringLiteral("DISPLAY is unset and Xvfb did not start (see above)");
        m_xvfb.kill();
        m_xvfb.waitForFinished();
        return;
    }
    m_display = QStringLiteral(":") + QString::fromLatin1(m_xvfb.readLine()).trimmed();
}

QProcessEnvironment VirtualDisplay::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (available()) {
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("DISPLAY"), m_display);
    } else {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    return environment;
}
