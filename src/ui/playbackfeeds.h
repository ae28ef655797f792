#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// What other readers hand to the playback area, without knowing it: the
// player's address list (List3), the QVOD address list (List2), the current
// QVOD file address, and cloud on-demand requests. One per window, found
// through of(); the playback area listens to its signals and shows the
// lists, so a reader of any family can feed the player.
class PlaybackFeeds : public QObject
{
    Q_OBJECT

public:
    explicit PlaybackFeeds(QObject *parent = nullptr);
    // The window's one instance, made on first use.
    static PlaybackFeeds *of(QObject *window);

    // List3: replace its entries with one address, or add one at the end.
    void replacePlayerList(const QString &address);
    void appendToPlayerList(const QString &address);
    QStringList playerList() const;

    // List2: the final result of an extraction, each address once.
    void setQvodList(const QStringList &addresses);
    QStringList qvodList() const;

    // The address Command4 copies and plays.
    void setCurrentFileAddress(const QString &address);
    QString currentFileAddress() const;

    // Stream `address` through the cloud on-demand service (Form8).
    void requestCloudPlay(const QString &address);

Q_SIGNALS:
    void playerListChanged(const QStringList &addresses);
    void qvodListChanged(const QStringList &addresses);
    void currentFileAddressChanged(const QString &address);
    void cloudPlayRequested(const QString &address);

private:
    QStringList m_playerList;
    QStringList m_qvodList;
    QString m_currentFileAddress;
};
