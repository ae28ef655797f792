#include "ui/playbackfeeds.h"

using namespace Qt::StringLiterals;

PlaybackFeeds::PlaybackFeeds(QObject *parent)
    : QObject(parent)
{
    setObjectName(u"PlaybackFeeds"_s);
}

PlaybackFeeds *PlaybackFeeds::of(QObject *window)
{
    auto *feeds = window->findChild<PlaybackFeeds *>(u"PlaybackFeeds"_s, Qt::FindDirectChildrenOnly);
    return feeds ? feeds : new PlaybackFeeds(window);
}

void PlaybackFeeds::replacePlayerList(const QString &address)
{
    m_playerList = {address};
    Q_EMIT playerListChanged(m_playerList);
}

void PlaybackFeeds::appendToPlayerList(const QString &address)
{
    m_playerList.append(address);
    Q_EMIT playerListChanged(m_playerList);
}

QStringList PlaybackFeeds::playerList() const
{
    return m_playerList;
}

void PlaybackFeeds::setQvodList(const QStringList &addresses)
{
    m_qvodList = addresses;
    Q_EMIT qvodListChanged(m_qvodList);
}

QStringList PlaybackFeeds::qvodList() const
{
    return m_qvodList;
}

void PlaybackFeeds::setCurrentFileAddress(const QString &address)
{
    m_currentFileAddress = address;
    Q_EMIT currentFileAddressChanged(address);
}

QString PlaybackFeeds::currentFileAddress() const
{
    return m_currentFileAddress;
}

void PlaybackFeeds::requestCloudPlay(const QString &address)
{
    Q_EMIT cloudPlayRequested(address);
}
