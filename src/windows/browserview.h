#pragma once

#include <QFlags>
#include <QString>
#include <QWidget>

class QWebEngineView;

// An embedded browser control. The browser engine is costly to start, so it
// is created only when the control is first shown (or, for a hidden control,
// on its first navigation); until then the control just remembers the
// address it was sent to.
class BrowserView : public QWidget
{
    Q_OBJECT

public:
    enum Option {
        Silent = 0x1,        // script dialogs and errors raise nothing
        NoContextMenu = 0x2, // right clicks in the page show nothing
        LoadHidden = 0x4,    // works without ever being shown
        TakeDownloads = 0x8, // downloads go into the download directory
    };
    Q_DECLARE_FLAGS(Options, Option)

    // Tests that are not about the browser keep the engine out.
    static void setEngineAllowed(bool allowed);
    static bool engineAllowed();

    BrowserView(const QString &name, Options options, QWidget *parent = nullptr);

    void navigate(const QString &address);
    // The address last navigated to (empty before the first navigation).
    QString address() const;
    // Null until the engine has been created.
    QWebEngineView *view() const;
    void setDownloadDirectory(const QString &directory);

Q_SIGNALS:
    void navigated(const QString &address);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ensureEngine();

    Options m_options;
    QString m_address;
    QString m_downloadDirectory;
    QWebEngineView *m_view = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(BrowserView::Options)
