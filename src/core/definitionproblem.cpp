#include "core/definitionproblem.h"

QString DefinitionProblem::text() const
{
    return file + u':' + QString::number(line) + u':' + QString::number(column) + QStringLiteral(": ") + what;
}
