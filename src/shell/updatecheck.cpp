#include "shell/updatecheck.h"

#include "core/pagefetcher.h"
#include "core/siteconfig.h"
#include "core/texttools.h"
#include "ui/clicklabel.h"

#include <QLabel>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

const QString &UpdateCheck::ownVersion()
{
    static const QString version = u"V2.0"_s;
    return version;
}

UpdateCheck::UpdateCheck(const ReaderContext &context, ClickLabel *ticker, QLabel *versionPanel, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_ticker(ticker)
    , m_versionPanel(versionPanel)
{
    setObjectName(u"UpdateCheck"_s);
    m_versionTimer = new QTimer(this);
    m_versionTimer->setObjectName(u"Timer9"_s);
    m_versionTimer->setInterval(1000);
    m_announcementTimer = new QTimer(this);
    m_announcementTimer->setObjectName(u"Timer12"_s);
    m_announcementTimer->setInterval(m_firstTickMs);
    connect(m_versionTimer, &QTimer::timeout, this, [this] { versionTick(); });
    connect(m_announcementTimer, &QTimer::timeout, this, [this] { announcementTick(); });
    if (m_ticker)
        connect(m_ticker, &ClickLabel::clicked, this, &UpdateCheck::tickerClicked);
}

void UpdateCheck::lock(const QList<QWidget *> &controls, QWidget *cover)
{
    for (QWidget *control : controls) {
        control->setEnabled(false);
        m_locked.append(control);
    }
    m_cover = cover;
}

void UpdateCheck::setIntervals(int versionMs, int firstTickMs, int rotationMs, int retryMs)
{
    m_versionTimer->setInterval(versionMs);
    m_firstTickMs = firstTickMs;
    m_rotationMs = rotationMs;
    m_retryMs = retryMs;
    m_announcementTimer->setInterval(m_entry > 0 ? m_rotationMs : m_firstTickMs);
}

void UpdateCheck::start()
{
    // Without a maker's site there is nothing to ask: the program is usable
    // at once and the ticker stays idle.
    if (m_context.sites().site(u"maker"_s).isEmpty()) {
        m_context.report(u"欢迎使用澄川旗下Lz系列软件 .."_s);
        unlock();
        return;
    }
    m_versionTimer->start();
}

QString UpdateCheck::makerAddress(const QString &path) const
{
    return m_context.sites().site(u"maker"_s) + path;
}

QCoro::Task<> UpdateCheck::versionTick()
{
    // One check per run; the timer must not tick again while the fetch runs.
    m_versionTimer->stop();
    QPointer<UpdateCheck> self(this);
    const QString body = co_await m_context.fetcher().transferBody(makerAddress(u"/version/gx.txt"_s));
    if (!self)
        co_return;
    if (body.isEmpty()) {
        m_context.message(u"暂时无法使用!请您稍后再试!"_s, QMessageBox::Warning);
        if (self)
            Q_EMIT endProgram(1);
        co_return;
    }
    m_context.report(u"欢迎使用澄川旗下Lz系列软件 .."_s);
    if (body == ownVersion()) {
        unlock();
        if (m_versionPanel)
            m_versionPanel->setText(u"当前版本："_s + ownVersion() + u" | 网络版本："_s + body);
        m_announcementTimer->setInterval(m_firstTickMs);
        m_announcementTimer->start();
        co_return;
    }
    m_context.message(u"发现最新版本!["_s + body + u"]\r\n \r\n确定后自动打开官方网站!"_s);
    if (!self)
        co_return;
    const QString website = m_context.sites().page(u"website"_s);
    m_context.openAddress(website.isEmpty() ? m_context.sites().site(u"maker"_s) : website);
    Q_EMIT endProgram(0);
}

void UpdateCheck::unlock()
{
    for (const QPointer<QWidget> &control : std::as_const(m_locked)) {
        if (control)
            control->setEnabled(true);
    }
    if (m_cover)
        m_cover->hide();
    m_unlocked = true;
    Q_EMIT unlocked();
}

QCoro::Task<> UpdateCheck::announcementTick()
{
    if (!m_text.isEmpty()) {
        showNextEntry();
        co_return;
    }
    // One fetch at a time: the timer keeps ticking while it runs.
    if (m_fetching)
        co_return;
    m_fetching = true;
    QPointer<UpdateCheck> self(this);
    const QString text = co_await m_context.fetcher().transferBody(makerAddress(u"/data/gg.txt"_s));
    if (!self)
        co_return;
    m_fetching = false;
    AnnouncementFile file(text);
    if (file.size() == 0) {
        // Unreachable, empty or garbled: try again after a pause.
        m_announcementTimer->setInterval(m_retryMs);
        co_return;
    }
    m_text = text;
    m_file.emplace(std::move(file));
    m_announcementTimer->setInterval(m_firstTickMs);
}

void UpdateCheck::showNextEntry()
{
    m_entry = AnnouncementFile::next(m_entry, m_file->size());
    const Announcement entry = m_file->entry(m_entry);
    m_address = entry.url;
    if (m_ticker) {
        QPalette palette = m_ticker->palette();
        palette.setColor(QPalette::WindowText, AnnouncementFile::colour(entry.color));
        m_ticker->setPalette(palette);
        // Outside text: shown as plain text in the label and its tooltip.
        m_ticker->setTextFormat(Qt::PlainText);
        // The maker's file is an outside page like any other.
        const QString title = cleanCell(entry.title);
        m_ticker->setText(title);
        m_ticker->setToolTip(Qt::convertFromPlainText(title, Qt::WhiteSpacePre));
    }
    m_announcementTimer->setInterval(m_rotationMs);
    Q_EMIT announcementShown(m_entry);
}

void UpdateCheck::tickerClicked()
{
    if (!m_address.isEmpty())
        m_context.openAddress(m_address);
    else
        m_context.message(u"正在获取公告，请稍等.."_s);
}

int UpdateCheck::entryNumber() const
{
    return m_entry;
}

QString UpdateCheck::currentAddress() const
{
    return m_address;
}

bool UpdateCheck::isUnlocked() const
{
    return m_unlocked;
}
