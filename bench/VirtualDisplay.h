#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// The X display the helper's windows open on: the one DISPLAY names, else an
// Xvfb of the bench's own, ended with the bench. Without either, reason()
// says why there is none.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();

    bool available() const { return !m_display.isEmpty(); }
    QString reason() const { return m_reason; }
    // The helper's environment: on the display, or offscreen when there is none.
    QProcessEnvironment environment() const;

private:
    void startXvfb();

    QProcess m_xvfb;
    QString m_display;
    QString m_reason;
};
