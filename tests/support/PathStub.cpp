#include "PathStub.h"

#include <QFile>

PathStub::PathStub() : m_previous(qgetenv("PATH"))
{
    qputenv("PATH", m_bin.path().toUtf8());
}

PathStub::~PathStub()
{
    qputenv("PATH", m_previous);
}

QString PathStub::add(const QString &program) const
{
    const QString path = m_bin.filePath(program);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n") < 0)
        qFatal("could not write %s", qPrintable(path));
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    return path;
}
