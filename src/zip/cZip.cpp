#include "cZip.h"

#include "ZipLibrary.h"
#include "mZip.h"

#include <QDir>
#include <QScopeGuard>

#include <array>

namespace {

constexpr int32_t recurseIntoSubfolders = 2;
constexpr int32_t basePathHandle = 1;
constexpr std::size_t fileNameTableSize = 1024;

bool runInProgress = false;

bool raise(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

QString subscriptOutOfRange()
{
    return QStringLiteral("Subscript out of range");
}

} // namespace

cZip::cZip(QObject *parent) : QObject(parent)
{
    setStoreDirectories(false);
    setStoreFolderNames(false);
    setRecurseSubDirs(false);
}

void cZip::setBasePath(const QString &sBasePath)
{
    m_basePath = sBasePath;
    m_options.basePath = sBasePath.isEmpty() ? 0 : basePathHandle;
}

void cZip::setRecurseSubDirs(bool bState)
{
    m_options.recurse = bState ? recurseIntoSubfolders : 0;
}

int cZip::MessageLevel() const
{
    if (m_options.verbose)
        return 0;
    return m_options.quiet ? 1 : 2;
}

void cZip::setMessageLevel(int eLevel)
{
    if (eLevel < 0 || eLevel > 2)
        return;
    m_options.verbose = eLevel == 0;
    m_options.quiet = eLevel == 1;
}

QString cZip::FileSpec(int nIndex, QString *error) const
{
    if (nIndex < 1 || nIndex > m_fileSpecs.size()) {
        raise(error, subscriptOutOfRange());
        return {};
    }
    return m_fileSpecs.at(nIndex - 1);
}

int cZip::AddFileSpec(const QString &sSpec)
{
    m_fileSpecs << sSpec;
    return 0;
}

bool cZip::Zip(QString *error)
{
    m_lastResult = 0;
    // The module's flags and running object are shared by all objects.
    if (runInProgress)
        return raise(error, QStringLiteral("A zip run is already in progress."));
    runInProgress = true;
    const auto done = qScopeGuard([] { runInProgress = false; });

    mZip::begin(this);
    if (!m_basePath.trimmed().isEmpty() && !QDir::setCurrent(m_basePath))
        return raise(error, QStringLiteral("Path not found: %1").arg(m_basePath));
    ZpInit(mZip::callbacks());
    ZpSetOptions(m_options, optionTexts());

    // The table ends with a null entry followed by an empty text.
    if (m_fileSpecs.size() > maxFileSpecs)
        return raise(error, subscriptOutOfRange());
    QList<QByteArray> names;
    std::array<const char *, fileNameTableSize> table{};
    for (const QString &fileSpec : m_fileSpecs)
        names << fileSpec.toUtf8();
    for (qsizetype i = 0; i < names.size(); ++i)
        table[i] = names[i].constData();
    table[names.size() + 1] = "";
    m_lastResult = ZpArchive(static_cast<int32_t>(names.size()), m_zipFile.toUtf8().constData(),
                             table.data());
    return true;
}

QList<QByteArray> cZip::optionTexts() const
{
    if (m_basePath.isEmpty())
        return {};
    return {m_basePath.toUtf8()};
}
