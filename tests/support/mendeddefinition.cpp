#include "support/mendeddefinition.h"

#include <QFile>

using namespace Qt::StringLiterals;

DefinitionLoader::Result mendedBuiltIn(const QString &name, const QString &from, const QString &to)
{
    QFile file(u":/definitions/"_s + name + u".toml"_s);
    DefinitionLoader::Result result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.problems.append({file.fileName(), 0, 0, u"no such built-in definition"_s});
        return result;
    }
    const QByteArray text = file.readAll();
    if (!text.contains(from.toUtf8())) {
        result.problems.append({file.fileName(), 0, 0, u"does not hold \""_s + from + u'"'});
        return result;
    }
    return DefinitionLoader::load(QByteArray(text).replace(from.toUtf8(), to.toUtf8()), file.fileName());
}
