#pragma once

#include "core/readercontext.h"

#include <QList>
#include <QMainWindow>

class FurtherTorrentReader;
class MovieResourceReader;
class NetdiskReader;
class QLabel;
class QTabWidget;
class RssFeedReader;
class TorrentSearchReader;
class WindowShell;
struct Services;

// The one window of the program: the main tab strip with its inner strips,
// the status bar with its six panels, and the site readers on their tabs.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static const QString &windowCaption();

    explicit MainWindow(Services &services, QWidget *parent = nullptr);

    ReaderContext context();
    QLabel *panel(int number) const; // 1..6
    QTabWidget *mainTabs() const;
    // An inner tab strip by name ("SSTab2" .. "SSTab5").
    QTabWidget *innerTabs(const QString &name) const;
    NetdiskReader *netdiskReader() const;
    TorrentSearchReader *torrentSearchReader() const;
    RssFeedReader *rssFeedReader() const;
    FurtherTorrentReader *furtherTorrentReader() const;
    MovieResourceReader *movieResourceReader() const;
    // Start-up, chrome, version check and exit around the readers.
    WindowShell *shell() const;


protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void buildTabs();
    void followTabCaption(QTabWidget *tabs);

    Services &m_services;
    QList<QLabel *> m_panels;
    QTabWidget *m_mainTabs = nullptr;
    QList<QTabWidget *> m_innerTabs;
    NetdiskReader *m_netdisk = nullptr;
    TorrentSearchReader *m_torrentSearch = nullptr;
    RssFeedReader *m_rssFeed = nullptr;
    FurtherTorrentReader *m_furtherTorrents = nullptr;
    MovieResourceReader *m_movieResource = nullptr;
    WindowShell *m_shell = nullptr;
    bool m_startupDone = false;
};
