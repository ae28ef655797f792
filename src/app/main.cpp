#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/procfsprocesscontrol.h"
#include "core/services.h"
#include "core/sitestatusboard.h"
#include "demo/demoserver.h"
#include "shell/allsearchpage.h"
#include "shell/commandhelp.h"
#include "shell/commandline.h"
#include "shell/escapedtext.h"
#include "shell/headlesscommand.h"
#include "shell/mainwindow.h"
#include "shell/sitesfile.h"
#include "shell/updatecheck.h"
#include "shell/windowshell.h"
#include "ui/dialogs.h"
#include "ui/urlopener.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QNetworkReply>
#include <QWebEngineView>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <memory>
#include <optional>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Chromium refuses to start its sandbox as root (containers, CI); only then
// it runs without one.
void allowBrowserAsRoot()
{
    if (::geteuid() != 0)
        return;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray(flags + " --no-sandbox").trimmed());
}

// --screenshot: once the window is usable, wait for the first announcement
// (or a few seconds at most), save the picture and end without the exit
// question.
void takeScreenshotWhenReady(MainWindow &window, const QString &file, bool afterSearch)
{
    auto saveAndQuit = [&window, file] {
        static bool done = false;
        if (done)
            return;
        done = true;
        const bool saved = window.grab().save(file, "PNG");
        QApplication::exit(saved ? 0 : 1);
    };
    WindowShell *shell = window.shell();
    if (afterSearch) {
        // The rows of the --find search, once every source has answered.
        auto *page = window.findChild<AllSearchPage *>(u"AllSearchPage"_s);
        QObject::connect(page, &AllSearchPage::searchFinished, &window,
                         [saveAndQuit] { QTimer::singleShot(300, saveAndQuit); });
        return;
    }
    QObject::connect(shell->updateCheck(), &UpdateCheck::announcementShown, &window,
                     [saveAndQuit] { QTimer::singleShot(200, saveAndQuit); });
    QObject::connect(shell, &WindowShell::ready, &window, [&window, saveAndQuit] {
        QTimer::singleShot(4000, &window, saveAndQuit);
    });
}

// --exit-when-shown: once the window is shown and the event loop turns,
// say when and what start-up touched, then end (start-up timing).
void exitWhenShown(PageFetcher &fetcher)
{
    auto finished = std::make_shared<int>(0);
    QObject::connect(fetcher.manager(), &QNetworkAccessManager::finished, fetcher.manager(),
                     [finished] { ++*finished; });
    QTimer::singleShot(0, &fetcher, [&fetcher, finished] {
        const qsizetype requests = *finished + fetcher.manager()->findChildren<QNetworkReply *>().size();
        qsizetype browserViews = 0;
        for (QWidget *widget : QApplication::allWidgets())
            browserViews += qobject_cast<QWebEngineView *>(widget) ? 1 : 0;
        std::printf("shown_at_epoch_ms=%lld requests=%lld browser_views=%lld\n",
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), static_cast<long long>(requests),
                    static_cast<long long>(browserViews));
        std::fflush(stdout);
        QApplication::exit(0);
    });
}

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// --help, --version or a usage error: a text and the exit status, nothing else.
std::optional<int> answerWithText(const CommandLine &commandLine)
{
    if (commandLine.help) {
        write(stdout, commandLine.command == Command::Search        ? CommandHelp::search()
                      : commandLine.command == Command::Definitions ? CommandHelp::definitions()
                                                                    : CommandHelp::full());
        return 0;
    }
    if (commandLine.version) {
        write(stdout, CommandHelp::version());
        return 0;
    }
    if (!commandLine.error.isEmpty()) {
        write(stderr, escapedText(commandLine.error) + u'\n' + CommandHelp::shortUsage(commandLine.command));
        return 2;
    }
    return std::nullopt;
}

// Why the site file named by --sites cannot be used, as the one line the
// program stops with; empty when it can (or none was named).
QString unreadableSites(const CommandLine &commandLine)
{
    if (!commandLine.sitesGiven)
        return {};
    const QString problem = SitesFile::problem(commandLine.sitesFile);
    return problem.isEmpty() ? QString() : u"cannot read "_s + escapedText(commandLine.sitesFile) + u": "_s + problem;
}

// The file the sites come from; empty for the demo's or for none found, in
// which case standard error says where the program looked.
QString sitesSource(const CommandLine &commandLine, bool demoStarted)
{
    if (demoStarted)
        return {};
    if (commandLine.sitesGiven || QFileInfo::exists(commandLine.sitesFile))
        return commandLine.sitesFile;
    write(stderr, u"juyuanxia: no sites.ini found in "_s + escapedText(commandLine.sitesPlaces.join(u", "_s))
                      + u"; no site is configured\n"_s);
    return {};
}

SiteConfig configuredSites(const CommandLine &commandLine, DemoServer &demo, QString *file = nullptr)
{
    const bool demoStarted = commandLine.demo && demo.start();
    const QString source = sitesSource(commandLine, demoStarted);
    if (file)
        *file = source;
    if (demoStarted)
        return demo.siteConfig();
    if (source.isEmpty())
        return SiteConfig();
    SiteConfig sites = SiteConfig::fromFile(source);
    // A refused base is named here and in 站点状态; its site stays unconfigured.
    for (const QString &problem : sites.problems())
        write(stderr, u"juyuanxia: "_s + escapedText(source + u": "_s + problem) + u" (not used)\n"_s);
    return sites;
}

// The built-in definitions with the user's; a broken file is named on
// standard error and skipped.
std::shared_ptr<const DefinitionCatalog> loadDefinitions(const CommandLine &commandLine)
{
    auto catalog = std::make_shared<DefinitionCatalog>(DefinitionCatalog::withUserFolders(commandLine.definitionFolders));
    for (const DefinitionProblem &problem : catalog->problems())
        write(stderr, u"juyuanxia: "_s + escapedText(problem.text()) + u" (skipped)\n"_s);
    return catalog;
}

// A site check or a search for scripts: no window, no widgets.
int runHeadless(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"juyuanxia"_s);
    CommandLine commandLine = CommandLine::parse(app.arguments(), QCoreApplication::applicationDirPath());
    if (commandLine.command == Command::Definitions && commandLine.error.isEmpty())
        return HeadlessCommand::checkDefinitions(commandLine.definitionFiles);
    const std::shared_ptr<const DefinitionCatalog> definitions =
        commandLine.error.isEmpty() ? loadDefinitions(commandLine) : nullptr;
    if (commandLine.error.isEmpty())
        commandLine.error = HeadlessCommand::usageError(commandLine, *definitions);
    if (const std::optional<int> status = answerWithText(commandLine))
        return *status;
    if (const QString refusal = unreadableSites(commandLine); !refusal.isEmpty()) {
        write(stderr, refusal + u'\n');
        return 2;
    }
    DemoServer demo;
    SiteConfig sites = configuredSites(commandLine, demo);
    sites.setDefinitions(definitions);
    PageFetcher fetcher(sites.network());
    fetcher.setSiteOf([&sites](const QUrl &url) { return sites.siteKeyFor(url.toString()); });
    QTimer::singleShot(0, &app, [&] { HeadlessCommand::run(commandLine, sites, fetcher); });
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    // QApplication takes its own options out of argv; a restart needs them all.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Help, a usage error or a run without a window never needs a display.
    const CommandLine early =
        CommandLine::parse(QStringList{QString()} + arguments, QString(), CommandLine::QtOptions::Pending);
    if (const std::optional<int> status = answerWithText(early))
        return *status;
    if (early.headless())
        return runHeadless(argc, argv);
    allowBrowserAsRoot();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"juyuanxia"_s);
    CommandLine commandLine = CommandLine::parse(app.arguments(), QApplication::applicationDirPath());
    if (commandLine.command != Command::Window && commandLine.error.isEmpty())
        commandLine.error = u"Qt's options (-platform and the like) are only for the window"_s;
    if (const std::optional<int> status = answerWithText(commandLine))
        return *status;

    Dialogs dialogs;
    if (const QString refusal = unreadableSites(commandLine); !refusal.isEmpty()) {
        write(stderr, refusal + u'\n');
        dialogs.message(nullptr, refusal, QMessageBox::Critical);
        return 2;
    }

    Services services;
    DemoServer demo;
    services.sites = configuredSites(commandLine, demo, &services.sitesFile);
    services.sites.setDefinitions(loadDefinitions(commandLine));
    services.homeDir = commandLine.homeDir;
    services.arguments = arguments;
    services.downloadDir = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);

    PageFetcher fetcher(services.sites.network());
    // The demo sites share one port: each is limited on its own.
    fetcher.setSiteOf([&services](const QUrl &url) { return services.sites.siteKeyFor(url.toString()); });
    UrlOpener opener;
    ProcfsProcessControl processes;
    services.fetcher = &fetcher;
    SiteStatusBoard siteStatus(services.sites, fetcher);
    services.siteStatus = &siteStatus;
    services.dialogs = &dialogs;
    services.opener = &opener;
    services.processes = &processes;

    MainWindow window(services);
    WindowShell *shell = window.shell();
    // Ending closes every window at once; the exit question has been asked
    // already when it comes from the close request.
    QObject::connect(shell, &WindowShell::endProgram, &app, [](int exitCode) { QApplication::exit(exitCode); },
                     Qt::QueuedConnection);
    QObject::connect(shell, &WindowShell::restartProgram, &app,
                     [](const QString &program, const QStringList &arguments) {
                         QProcess::startDetached(program, arguments);
                         QApplication::exit(0);
                     });
    if (!commandLine.findKeyword.isEmpty()) {
        QObject::connect(shell, &WindowShell::ready, &window, [&window, keyword = commandLine.findKeyword] {
            if (auto *page = window.findChild<AllSearchPage *>(u"AllSearchPage"_s))
                page->searchFor(keyword);
        });
    }
    if (!commandLine.screenshotFile.isEmpty())
        takeScreenshotWhenReady(window, commandLine.screenshotFile, !commandLine.findKeyword.isEmpty());
    window.show();
    if (commandLine.exitWhenShown)
        exitWhenShown(fetcher);
    return app.exec();
}
