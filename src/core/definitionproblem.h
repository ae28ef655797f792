#pragma once

#include <QString>

// One thing wrong with a definition file, where it is.
struct DefinitionProblem
{
    QString file;
    int line = 0;
    int column = 0;
    QString what;
    // A sound file that another of the same name displaced.
    bool setAside = false;

    // "file:line:column: what"
    QString text() const;
};
