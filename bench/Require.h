#pragma once

#include <QString>
#include <stdexcept>

// Any failure makes the figures meaningless, so it ends the whole run.
inline void require(bool ok, const QString &what)
{
    if (!ok)
        throw std::runtime_error(what.toStdString());
}
