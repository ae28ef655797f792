#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class QPushButton;
class QTableWidget;
class SiteConfig;
class SiteStatusBoard;

// "站点状态": the last outcome of every configured site, kept up to date
// while it is open, and a re-check of the selected one.
class SiteStatusWindow : public QDialog
{
    Q_OBJECT

public:
    enum Column { SiteColumn, KeyColumn, AddressColumn, OutcomeColumn, TimeTakenColumn, CheckedAtColumn };

    // `recheck` tries one site again; the board brings its outcome.
    // `sitesFile` is the file the sites were read from, empty for none.
    SiteStatusWindow(const SiteConfig &sites, const QString &sitesFile, SiteStatusBoard &board,
                     std::function<void(const QString &key)> recheck, QWidget *parent = nullptr);

    // The row of a site key; -1 for a site that is not listed.
    int rowOf(const QString &key) const;

private:
    void showStatus(const QString &key);
    void recheckSelected();

    const SiteConfig &m_sites;
    QPointer<SiteStatusBoard> m_board;
    std::function<void(const QString &)> m_recheck;
    QTableWidget *m_table = nullptr;
    QPushButton *m_recheckButton = nullptr;
};
