#include "shell/sitesfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

// The first line that is no part of an INI file; empty when none.
QString iniProblem(const QString &text)
{
    const QStringList lines = text.split(u'\n');
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString where = u"line "_s + QString::number(i + 1);
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 3)
                return where + u" is no [section]"_s;
            inSection = true;
        } else if (line.indexOf(u'=') > 0) {
            if (!inSection)
                return where + u" has key = value outside a [section]"_s;
        } else {
            return where + u" is neither [section] nor key = value"_s;
        }
    }
    return {};
}

} // namespace

namespace SitesFile {

QString problem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return u"no such file"_s;
    if (info.isDir())
        return u"is a directory"_s;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    if (bytes.contains('\0'))
        return u"not a text file"_s;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return u"not UTF-8 text"_s;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return iniProblem(text);
}

} // namespace SitesFile
