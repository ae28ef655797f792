#pragma once

#include <QCoroTask>

#include "shell/exitflow.h"
#include "shell/settingsfile.h"
#include "ui/readercontext.h"

#include <QList>
#include <QObject>
#include <QPointer>

class BrowserCloseTimer;
class BrowserView;
class ClickLabel;
class FestiveWindow;
class LiveTvArea;
class MainWindow;
class MediaPlayer;
class QCheckBox;
class QLabel;
class QTabWidget;
class QWidget;
class TermsOfUse;
class UpdateCheck;
struct Services;

// Everything around the readers: the chrome of the main window (image
// buttons, announcement label, link controls, terms-of-use box, status panel
// clicks), start-up in its order, the version check, the exit question, and
// the secondary windows.
class WindowShell : public QObject
{
    Q_OBJECT

public:
    static const QString &programVersion(); // "2.0.710"

    WindowShell(MainWindow *window, Services &services);

    // Start-up, once, when the window loads (after every reader exists).
    void start();
    // The close request: true when the window may close (the program then
    // ends); false for Cancel.
    bool handleClose();

    void openSettings(); // Command45
    void openFaq();      // Command52, Command54
    void openSiteStatus(); // siteStatusButton
    void openPortal();   // SSTab2 tab 10

    UpdateCheck *updateCheck() const;
    FestiveWindow *festiveWindow() const;
    MediaPlayer *player(int number) const; // W1, W2
    const ExitFlow &exitFlow() const;
    LiveTvArea *liveTv() const;
    BrowserCloseTimer *browserCloseTimer() const;
    BrowserView *hiddenBrowser(int number) const; // WebBrowser2, WebBrowser3
    SettingsFile settings() const;
    int lastMediaTab() const;

Q_SIGNALS:
    // The program is to end now with this exit code (without the exit
    // question when it comes from the version check).
    void endProgram(int exitCode);
    // Start `program` with `arguments` again, then end.
    void restartProgram(const QString &program, const QStringList &arguments);
    // The version check passed (or there is none): the window is usable.
    void ready();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCoro::Task<> recheckSite(QString key);
    void buildBanner();
    void buildPlaybackRow();
    void buildAboutPage();
    ClickLabel *linkLabel(QWidget *parent, const QString &name, const QString &text, const QString &pageKey);
    void openPage(const QString &pageKey);
    void mediaTabChanged(int index);
    void applySettings();
    void moveHighlightTo(int index);
    bool pointerOnImageButton(const QPoint &globalPos) const;

    MainWindow *m_window;
    Services &m_services;
    ReaderContext m_context;
    SettingsFile m_settings;
    ExitFlow m_exit;

    QWidget *m_banner = nullptr;
    QList<ClickLabel *> m_imageButtons;
    ClickLabel *m_highlight = nullptr;
    int m_highlightIndex = 0;
    ClickLabel *m_ticker = nullptr;
    QLabel *m_cover = nullptr;
    QCheckBox *m_terms = nullptr;
    QTabWidget *m_mediaTabs = nullptr;
    int m_lastMediaTab = 0;

    UpdateCheck *m_update = nullptr;
    TermsOfUse *m_termsOfUse = nullptr;
    FestiveWindow *m_festive = nullptr;
    MediaPlayer *m_startupSound = nullptr;
    MediaPlayer *m_music = nullptr;
    BrowserCloseTimer *m_browserClose = nullptr;
    LiveTvArea *m_liveTv = nullptr;
    BrowserView *m_contactBrowser = nullptr; // WebBrowser2
    BrowserView *m_groupBrowser = nullptr;   // WebBrowser3
    QPointer<QWidget> m_portal;
    bool m_started = false;
};
