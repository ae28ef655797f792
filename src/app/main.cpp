#include "core/dialogs.h"
#include "core/pagefetcher.h"
#include "core/procfsprocesscontrol.h"
#include "core/services.h"
#include "core/urlopener.h"
#include "demo/demoserver.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"juyuanxia"_s);
    const CommandLine commandLine = CommandLine::parse(app.arguments(), QApplication::applicationDirPath());

    Services services;
    DemoServer demo;
    if (commandLine.demo && demo.start())
        services.sites = demo.siteConfig();
    else
        services.sites = SiteConfig::fromFile(commandLine.sitesFile);
    services.homeDir = commandLine.homeDir;
    services.downloadDir = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);

    PageFetcher fetcher(services.sites.network());
    Dialogs dialogs;
    UrlOpener opener;
    ProcfsProcessControl processes;
    services.fetcher = &fetcher;
    services.dialogs = &dialogs;
    services.opener = &opener;
    services.processes = &processes;

    MainWindow window(services);
    if (!commandLine.screenshotFile.isEmpty()) {
        QObject::connect(&window, &MainWindow::startupFinished, &window, [&window, &commandLine] {
            const bool saved = window.grab().save(commandLine.screenshotFile, "PNG");
            QApplication::exit(saved ? 0 : 1);
        });
    }
    window.show();
    return app.exec();
}
