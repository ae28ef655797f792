#pragma once

#include "shell/settingsfile.h"
#include "ui/readercontext.h"

#include <QDialog>
#include <QList>

class QCheckBox;

// Form9 "软件设置": the six yes/no settings, saved to jyxq.ini, and the
// share icons. Settings act at the next start, so saving offers a restart.
class SettingsWindow : public QDialog
{
    Q_OBJECT

public:
    static const QString &shareTitle();
    // The share title percent-encoded from its GBK bytes (icon 6).
    static QString gbkPercentEncoded(const QString &text);

    SettingsWindow(const ReaderContext &context, const SettingsFile &settings, QWidget *parent = nullptr);

    void save();            // Command1
    void restoreDefaults(); // Command3

Q_SIGNALS:
    // "新年音乐" was saved off: the music stops at once.
    void stopMusic();
    // The user wants the program started again now.
    void restartRequested();

private:
    void buildSettingsPage(QWidget *page);
    void buildSharePage(QWidget *page);
    void load();
    void share(int icon);
    QString shareInvitation() const;

    ReaderContext m_context;
    SettingsFile m_settings;
    QList<QCheckBox *> m_boxes; // in the order of SettingsFile::windowKeys()
};
