#pragma once

#include "core/announcementfile.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>

#include <optional>

class ClickLabel;
class QLabel;
class QTimer;
class QWidget;

// The version check at start and the announcement ticker: Timer9 asks the
// maker's site for its version once; a match unlocks the locked controls and
// starts Timer12, which fetches the announcement file and then shows one
// entry after another in Label17.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    static const QString &ownVersion();

    UpdateCheck(const ReaderContext &context, ClickLabel *ticker, QLabel *versionPanel, QObject *parent = nullptr);

    // Locked now, enabled by a passing check (or at once without a maker's
    // site). `cover` is hidden by the passing check.
    void lock(const QList<QWidget *> &controls, QWidget *cover);
    // Arms Timer9, or unlocks at once when no maker's site is configured.
    void start();

    // Test hooks: the intervals of the version check, of the first
    // announcement tick, of the rotation and of the pause after a failed
    // announcement fetch.
    void setIntervals(int versionMs, int firstTickMs, int rotationMs, int retryMs);

    int entryNumber() const;
    QString currentAddress() const;
    bool isUnlocked() const;

Q_SIGNALS:
    void unlocked();
    void announcementShown(int entry);
    // The check decided that the program ends now (exit code).
    void endProgram(int exitCode);

private:
    QCoro::Task<> versionTick();      // Timer9
    QCoro::Task<> announcementTick(); // Timer12
    void unlock();
    void showNextEntry();
    void tickerClicked();
    QString makerAddress(const QString &path) const;

    ReaderContext m_context;
    QPointer<ClickLabel> m_ticker;
    QPointer<QLabel> m_versionPanel;
    QList<QPointer<QWidget>> m_locked;
    QPointer<QWidget> m_cover;
    QTimer *m_versionTimer = nullptr;
    QTimer *m_announcementTimer = nullptr;
    int m_firstTickMs = 100;
    int m_rotationMs = 10000;
    int m_retryMs = 3000;

    QString m_text; // the announcement file; fetched once per run
    std::optional<AnnouncementFile> m_file;
    bool m_fetching = false;
    int m_entry = 0;
    QString m_address;
    bool m_unlocked = false;
};
