#pragma once

#include "Engine.h"
#include "Faults.h"

#include <QString>

// Where a database is kept: the engine that keeps it, its name there (for
// SQLite, the file's path), and the faults its commits go through. Every
// connection to it starts from here.
struct Database {
    const Engine *engine;
    QString name;
    Faults *faults;

    QString displayName() const { return engine->displayName(name); }
};
