#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>

class CloudPlayerWindow;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultList;

// Cloud on-demand on the 云点播 page: the address box Text12 with
// Command43 and Command56 (paste), the torrent list's "在线云端播放"
// (ydydbf on ListView19), the eMule detail-page read behind "云端播放"
// (jdydbf), and every request other readers send through PlaybackFeeds,
// all shown in the cloud player window Form8.
class CloudOnDemandReader : public QObject
{
    Q_OBJECT

public:
    CloudOnDemandReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

    // jdydbf on the eMule movie list: the first ed2k link of the selected
    // row's detail page (subitem 3), streamed; "请您欣赏.." once the window
    // is closed. A page without a link requests nothing.
    QCoro::Task<> playFirstEd2kLink(ResultList *list);

    CloudPlayerWindow *playerWindow() const; // null before the first request

private:
    void buildControls(QWidget *page);
    void playAddressBox();   // Command43
    void playTorrentRow();   // ydydbf
    void playFilmRow();      // jdydbf
    void open(const QString &address, bool appreciate);

    ReaderContext m_context;
    QLineEdit *m_address = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_paste = nullptr;
    QPointer<CloudPlayerWindow> m_window;
    bool m_appreciate = false; // report "请您欣赏.." when the window closes
    // The latest request to play wins over a detail page read before it.
    LatestRequest m_playRequest{this};
};
