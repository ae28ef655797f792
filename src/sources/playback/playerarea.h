#pragma once

#include "ui/readercontext.h"

#include <QObject>

#include <memory>

class MediaBackend;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;
class ReaderTimer;

// The player page of the playback tab: the player QvodCtrl1 behind the
// MediaBackend seam, its state label Label32 polled by Timer16, the
// transport buttons, and the two address lists that feed it, List2 (QVOD
// addresses) and List3 (the player's list), both shown from PlaybackFeeds.
class PlayerArea : public QObject
{
    Q_OBJECT

public:
    PlayerArea(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);
    ~PlayerArea() override;

    // Tests put in their own player; the program's is made on first use.
    void setBackend(std::unique_ptr<MediaBackend> backend);
    MediaBackend *backend();

    // Command48: the channel reader's QVOD box.
    void playChannelAddress(const QString &address);
    // hx5: the QVOD addresses of a page into List2.
    void extractQvodAddresses(const QString &page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(QWidget *page);
    bool playerRunning();
    void start(const QString &address);
    void playCurrentFileAddress();           // Command4_1
    void playListEntry(QListWidget *list);   // List2 / List3 double-click
    void playTypedAddress();                 // Command53_11
    void togglePause();                      // Command53_12
    void stopPlayback();                     // Command53_13
    void pollState();                        // Timer16
    void showPlaybackPage(bool mainTabToo);

    ReaderContext m_context;
    std::unique_ptr<MediaBackend> m_backend;
    QWidget *m_screen = nullptr;
    QLabel *m_state = nullptr;
    QListWidget *m_qvodList = nullptr;
    QListWidget *m_playerList = nullptr;
    QPushButton *m_typed = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_download = nullptr;
    QPushButton *m_copyFile = nullptr;
    QPushButton *m_playFile = nullptr;
    ReaderTimer *m_poll = nullptr;
};
