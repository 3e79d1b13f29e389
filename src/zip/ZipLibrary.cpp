#include "ZipLibrary.h"

#include "ZipRun.h"

#include <QStringList>

namespace {

ZipCallbacks registeredCallbacks;
ZipOptionRecord currentOptions;
// The texts behind the record's handles. The only one ever set is the base
// folder, which the caller has already made the current folder, so a run
// itself needs none of them.
QList<QByteArray> currentTexts;

} // namespace

void ZpInit(const ZipCallbacks &callbacks)
{
    registeredCallbacks = callbacks;
}

void ZpSetOptions(const ZipOptionRecord &options, const QList<QByteArray> &texts)
{
    currentOptions = options;
    currentTexts = texts;
}

int32_t ZpArchive(int32_t count, const char *archiveName, const char *const *names)
{
    if (count < 0 || !archiveName || !*archiveName || (count > 0 && !names))
        return ZipLibrary::BadArguments;
    QStringList list;
    for (int32_t i = 0; i < count; ++i) {
        if (!names[i])
            return ZipLibrary::BadArguments;
        list << QString::fromUtf8(names[i]);
    }
    return ZipRun(registeredCallbacks, currentOptions, QString::fromUtf8(archiveName), list).run();
}
