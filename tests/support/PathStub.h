#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The PATH narrowed to a folder of its own for the life of the object, into
// which fake programs are put, so that the search for a calculator or a
// system information tool finds exactly those.
class PathStub
{
public:
    PathStub();
    ~PathStub();

    // A runnable program of that name; returns its path.
    QString add(const QString &program) const;

private:
    QTemporaryDir m_bin;
    QByteArray m_previous;
};
