#pragma once

#include <QString>

// libzip's own words for one of its error codes.
QString zipErrorText(int code);
