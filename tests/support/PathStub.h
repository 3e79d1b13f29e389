#pragma once

#include <QFile>
#include <QTemporaryDir>

// The PATH narrowed to a folder of its own for the life of the object, into
// which fake programs are put, so that the search for a calculator or a
// system information tool finds exactly those.
class PathStub
{
public:
    PathStub() { qputenv("PATH", m_bin.path().toUtf8()); }
    ~PathStub() { qputenv("PATH", m_previous); }

    // A runnable program of that name, a shell script of that body; returns its path.
    QString add(const QString &program, const QByteArray &body = {}) const
    {
        const QString path = m_bin.filePath(program);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body + "\n") < 0)
            qFatal("could not write %s", qPrintable(path));
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }

private:
    QByteArray m_previous = qgetenv("PATH");
    QTemporaryDir m_bin;
};
