#include "mZip.h"

#include "cZip.h"

#include <QPointer>

namespace {

constexpr uint32_t shortestText = 2;
constexpr uint32_t longestText = 1023;

QPointer<cZip> runningZip;

bool readable(uint32_t length)
{
    return length >= shortestText && length <= longestText;
}

QString readText(const char *text, uint32_t length)
{
    QString read = QString::fromUtf8(text, length);
    const qsizetype nul = read.indexOf(QChar(0));
    if (nul >= 0)
        read.truncate(nul);
    return read;
}

} // namespace

namespace mZip {

void begin(cZip *zip)
{
    runningZip = zip;
}

ZipCallbacks callbacks()
{
    return {print, service};
}

int32_t print(const char *text, uint32_t length)
{
    if (!readable(length))
        return 0;
    QString message = readText(text, length);
    for (qsizetype i = 1; i < message.size(); ++i)
        if (message[i] == QLatin1Char('/'))
            message[i] = QLatin1Char('\\');
    if (runningZip)
        emit runningZip->Progress(1, message);
    return 0;
}

int32_t service(const char *text, uint32_t length)
{
    if (!readable(length))
        return 0;
    bool cancel = false;
    if (runningZip)
        emit runningZip->Cancel(readText(text, length), &cancel);
    return cancel ? 1 : 0;
}

} // namespace mZip
