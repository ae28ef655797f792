#pragma once

#include <QString>

// One thing wrong with a definition file, where it is.
struct DefinitionProblem
{
    QString file;
    int line = 0;
    int column = 0;
    QString what;

    // "file:line:column: what"
    QString text() const;
};
