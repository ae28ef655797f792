#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>

// The demo's playable media file on its own loopback port and thread. The
// FFmpeg media back end of Qt 6.4 opens an http address synchronously on
// the thread that sets it; a file served by the demo server, which runs on
// that same thread, would never arrive.
class DemoMediaServer : public QObject
{
    Q_OBJECT

public:
    explicit DemoMediaServer(QObject *parent = nullptr);
    ~DemoMediaServer() override;

    // "http://127.0.0.1:PORT/media/demo.wav" (empty when it could not listen).
    QString mediaAddress() const;
    // Requests answered so far.
    int requestCount() const;

private:
    QThread m_thread;
    QObject *m_worker = nullptr;
    quint16 m_port = 0;
    std::atomic<int> m_requests{0};
};
