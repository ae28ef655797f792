#include "shell/commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString defaultHome(const QString &programDir)
{
    if (QFileInfo(programDir).isWritable())
        return programDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

// Beside the program (a build or a portable copy), else the user's or the
// system's configuration (~/.config/juyuanxia, /etc/xdg/juyuanxia) for an
// installed program.
QString defaultSites(const QString &programDir)
{
    const QString beside = programDir + u"/sites.ini"_s;
    if (QFileInfo::exists(beside))
        return beside;
    const QString configured = QStandardPaths::locate(QStandardPaths::AppConfigLocation, u"sites.ini"_s);
    return configured.isEmpty() ? beside : configured;
}

} // namespace

bool CommandLine::headless() const
{
    return checkSites || search;
}

CommandLine CommandLine::parse(const QStringList &arguments, const QString &programDir)
{
    QCommandLineParser parser;
    const QCommandLineOption sites(u"sites"_s, u"Site configuration file."_s, u"FILE"_s);
    const QCommandLineOption demo(u"demo"_s, u"Serve the demo sites on loopback and use them."_s);
    const QCommandLineOption home(u"home"_s, u"Directory for the settings and exported files."_s, u"DIR"_s);
    const QCommandLineOption screenshot(u"screenshot"_s, u"Save a PNG of the window after start-up."_s,
                                        u"FILE"_s);
    const QCommandLineOption exitWhenShown(u"exit-when-shown"_s,
                                           u"Exit as soon as the main window is shown (start-up timing)."_s);
    const QCommandLineOption checkSites(u"check-sites"_s, u"Try every configured site and exit."_s);
    const QCommandLineOption list(u"list"_s, u"With search: name the sources."_s);
    const QCommandLineOption page(u"page"_s, u"With search: the page to read."_s, u"N"_s, u"1"_s);
    const QCommandLineOption format(u"format"_s, u"With search: tsv or json."_s, u"FORMAT"_s, u"tsv"_s);
    parser.addOptions({sites, demo, home, screenshot, exitWhenShown, checkSites, list, page, format});
    // Unknown options (Qt's own, say) are not ours to refuse.
    parser.parse(arguments);

    CommandLine line;
    line.demo = parser.isSet(demo);
    line.sitesFile = parser.isSet(sites) ? parser.value(sites) : defaultSites(programDir);
    line.homeDir = parser.isSet(home) ? QDir(parser.value(home)).absolutePath() : defaultHome(programDir);
    line.screenshotFile = parser.value(screenshot);
    line.exitWhenShown = parser.isSet(exitWhenShown);

    line.checkSites = parser.isSet(checkSites);
    const QStringList positional = parser.positionalArguments();
    line.search = !positional.isEmpty() && positional.first() == u"search"_s;
    if (line.search) {
        line.listSources = parser.isSet(list);
        line.source = positional.value(1);
        line.keyword = positional.value(2);
        line.page = parser.value(page);
        line.format = parser.value(format);
    }
    return line;
}
