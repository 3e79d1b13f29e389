#include "mZip.h"

#include "cZip.h"

#include <QPointer>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t shortestText = 2;
constexpr uint32_t longestText = 1023;
constexpr qsizetype longestComment = 255;
constexpr int32_t largestPasswordBuffer = 256;

QPointer<cZip> runningZip;
bool cancelFlag = false;
bool passwordGiven = false;

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

// Only spaces are trimmed; any other white space is part of the text.
QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

// An empty answer counts as a cancel, and so does every later request of
// the run, so that the user is not asked again after saying no.
int16_t refuse()
{
    cancelFlag = true;
    return 1;
}

} // namespace

namespace mZip {

void begin(cZip *zip)
{
    runningZip = zip;
    cancelFlag = false;
    passwordGiven = false;
}

ZipCallbacks callbacks()
{
    return {print, comment, password, service};
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

int16_t comment(char *buffer)
{
    if (cancelFlag)
        return 1;
    QString text;
    bool cancel = false;
    if (runningZip)
        emit runningZip->CommentRequest(&text, &cancel);
    text = trimBlanks(text);
    if (text.isEmpty() || cancel)
        return refuse();
    const QByteArray bytes = text.toUtf8().left(longestComment);
    std::memcpy(buffer, bytes.constData(), bytes.size());
    buffer[bytes.size()] = '\0';
    return 0;
}

int16_t password(char *buffer, int32_t maxLength, const char *, const char *)
{
    if (cancelFlag)
        return 1;
    QString text;
    bool cancel = false;
    if (runningZip)
        emit runningZip->PasswordRequest(&text, maxLength, passwordGiven, &cancel);
    text = trimBlanks(text);
    if (text.isEmpty() || cancel)
        return refuse();
    const qsizetype size = std::clamp(maxLength, 0, largestPasswordBuffer);
    const QByteArray bytes = text.toUtf8().left(size);
    std::memset(buffer, 0, size);
    std::memcpy(buffer, bytes.constData(), bytes.size());
    passwordGiven = true;
    return 0;
}

int32_t service(const char *text, uint32_t length)
{
    if (!readable(length))
        return 0;
    bool cancel = false;
    if (runningZip)
        emit runningZip->Cancel(readText(text, length), &cancel);
    if (!cancel)
        return 0;
    cancelFlag = true;
    return 1;
}

} // namespace mZip
