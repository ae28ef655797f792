#pragma once

#include <QDialog>

class BrowserView;

// Form8 "澄川云端播放": the cloud on-demand service's page in a silent
// browser without a context menu. Made once and reused; each request
// navigates it anew and shows it modally.
class CloudPlayerWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CloudPlayerWindow(QWidget *parent = nullptr);

    // Navigates to `address` and shows the window (window-modal, no nested
    // event loop); finished() tells when the user has closed it.
    void play(const QString &address);
    BrowserView *browser() const;

private:
    BrowserView *m_browser = nullptr;
};
