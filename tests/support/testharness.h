#pragma once

#include "core/pagefetcher.h"
#include "core/procfsprocesscontrol.h"
#include "core/sitestatusboard.h"
#include "core/services.h"
#include "demo/demoserver.h"
#include "support/recordingdialogs.h"
#include "support/recordingopener.h"

#include <QTemporaryDir>

#include <memory>

#include "shell/mainwindow.h"

// The real program against the demo sites: a demo server on 127.0.0.1, the
// real fetcher, recording dialogs and opener, a fresh home and download
// directory, and (on request) the main window.
class TestHarness
{
public:
    TestHarness();
    ~TestHarness();

    DemoServer demo;
    Services services;
    RecordingDialogs dialogs;
    RecordingOpener opener;
    ProcfsProcessControl processes;
    QTemporaryDir home;
    QTemporaryDir downloads;

    // Builds (once) and shows the main window on the current services. With
    // waitForUnlock (the default) it returns the window as a user finds it
    // after start-up: the version check (run at once) has unlocked it, its
    // request is dropped from the demo log, and the announcement ticker is
    // held back so it sends nothing during the test.
    MainWindow &window();
    bool waitForUnlock = true;

    // A child of the window by objectName; fails the test when missing.
    template<typename T>
    T *child(const QString &name)
    {
        T *found = window().findChild<T *>(name);
        if (!found)
            qWarning("no child named %s", qPrintable(name));
        return found;
    }

    QString status() const;
    // Deletes the window (not the server or the fetcher), as closing the
    // program mid-fetch would.
    void destroyWindow();

private:
    std::unique_ptr<PageFetcher> m_fetcher;
    std::unique_ptr<SiteStatusBoard> m_siteStatus;
    std::unique_ptr<MainWindow> m_window;
};

