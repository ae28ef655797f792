#include "shell/settingswindow.h"

#include "core/siteconfig.h"
#include "core/texttools.h"
#include "ui/clicklabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Box names and captions, in the order of SettingsFile::windowKeys().
const QList<QPair<QString, QString>> &boxes()
{
    static const QList<QPair<QString, QString>> list = {
        {u"Check1"_s, u"启动软件加入特别版春节元素"_s},
        {u"Check3"_s, u"启动软件时自动播放新年音乐"_s},
        {u"Check4"_s, u"退出软件时同时关闭快播软件"_s},
        {u"Check5"_s, u"退出软件时同时关闭QvodTermail(网络传输)"_s},
        {u"Check6"_s, u"启动软件时不要启动快播软件"_s},
        {u"Check7"_s, u"自动屏蔽快播弹出的广告(使用默认IE的用户禁止选择此项)"_s},
    };
    return list;
}

QPixmap shareIcon(int icon)
{
    static const QColor colours[] = {QColor(18, 150, 219), QColor(255, 196, 0),  QColor(230, 22, 45),
                                     QColor(0, 160, 80),   QColor(90, 90, 200), QColor(240, 110, 30)};
    static const char16_t *letters[] = {u"Q", u"空", u"微", u"人", u"开", u"豆"};
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colours[icon - 1]);
    p.drawRoundedRect(QRectF(1, 1, 38, 38), 8, 8);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 40, 40), Qt::AlignCenter, QString::fromUtf16(letters[icon - 1]));
    return pixmap;
}

QString fillShareAddress(QString address, const QString &site, const QString &title)
{
    address.replace(u"{url}"_s, UTF8_URLEncoding(site));
    address.replace(u"{title}"_s, title);
    return address;
}

} // namespace

const QString &SettingsWindow::shareTitle()
{
    static const QString title = u"聚源匣【澄川出品】搜你所想，资源一网打尽"_s;
    return title;
}

QString SettingsWindow::gbkPercentEncoded(const QString &text)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char c : toGbk(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && (QChar::isLetterOrNumber(byte) || byte == '-' || byte == '_' || byte == '.')) {
            out += QLatin1Char(char(byte));
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[byte >> 4]);
            out += QLatin1Char(hex[byte & 0xF]);
        }
    }
    return out;
}

SettingsWindow::SettingsWindow(const ReaderContext &context, const SettingsFile &settings, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_settings(settings)
{
    setObjectName(u"Form9"_s);
    setWindowTitle(u"软件设置"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(u"SSTab1"_s);
    auto *settingsPage = new QWidget(tabs);
    auto *sharePage = new QWidget(tabs);
    tabs->addTab(settingsPage, u"软件设置"_s);
    tabs->addTab(sharePage, u"分享软件"_s);
    layout->addWidget(tabs);
    buildSettingsPage(settingsPage);
    buildSharePage(sharePage);
    load();
}

void SettingsWindow::buildSettingsPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    for (const auto &[name, caption] : boxes()) {
        auto *box = new QCheckBox(caption, page);
        box->setObjectName(name);
        layout->addWidget(box);
        m_boxes.append(box);
    }
    auto *buttons = new QHBoxLayout();
    const QList<QPair<QString, QString>> commands = {
        {u"Command1"_s, u"保存设置"_s}, {u"Command2"_s, u"取消设置"_s}, {u"Command3"_s, u"恢复默认设置"_s}};
    QList<QPushButton *> made;
    for (const auto &[name, caption] : commands) {
        auto *button = new QPushButton(caption, page);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        made.append(button);
    }
    layout->addLayout(buttons);
    connect(made.at(0), &QPushButton::clicked, this, &SettingsWindow::save);
    connect(made.at(1), &QPushButton::clicked, this, &QDialog::reject);
    connect(made.at(2), &QPushButton::clicked, this, &SettingsWindow::restoreDefaults);
}

void SettingsWindow::buildSharePage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *note = new QLabel(u"点击图标即可分享至对应平台，感谢您的支持"_s, page);
    note->setObjectName(u"Label8"_s);
    layout->addWidget(note);
    auto *icons = new QHBoxLayout();
    for (int icon = 1; icon <= 6; ++icon) {
        auto *label = new ClickLabel(u"Image"_s + QString::number(icon), {}, page);
        label->setPixmap(shareIcon(icon));
        connect(label, &ClickLabel::clicked, this, [this, icon] { share(icon); });
        icons->addWidget(label);
    }
    icons->addStretch(1);
    layout->addLayout(icons);
    auto *tutorial = new ClickLabel(u"Label9"_s, u"观看视频教程"_s, page);
    tutorial->setStyleSheet(u"color: blue; text-decoration: underline;"_s);
    connect(tutorial, &ClickLabel::clicked, this,
            [this] { m_context.openAddress(m_context.sites().page(u"tutorial"_s)); });
    layout->addWidget(tutorial);
    layout->addStretch(1);
}

void SettingsWindow::load()
{
    const QStringList &keys = SettingsFile::windowKeys();
    for (int i = 0; i < keys.size(); ++i)
        m_boxes.at(i)->setChecked(m_settings.isOn(keys.at(i)));
}

void SettingsWindow::save()
{
    const QStringList &keys = SettingsFile::windowKeys();
    // A failed write stays silent; the restart question is still asked.
    for (int i = 0; i < keys.size(); ++i)
        m_settings.writeYesNo(keys.at(i), m_boxes.at(i)->isChecked());
    if (!m_boxes.at(1)->isChecked())
        Q_EMIT stopMusic();
    const QMessageBox::StandardButton answer = m_context.message(
        u"设置成功!需重启生效,现在为您重启软件?"_s, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        Q_EMIT restartRequested();
    accept();
}

void SettingsWindow::restoreDefaults()
{
    const QMessageBox::StandardButton answer =
        m_context.message(u"确认要恢复默认设置?"_s, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // 禁止启动, 春节元素 and 新年音乐 on; the other three keep their state.
    m_boxes.at(4)->setChecked(true);
    m_boxes.at(0)->setChecked(true);
    m_boxes.at(1)->setChecked(true);
    save();
}

QString SettingsWindow::shareInvitation() const
{
    QString download = m_context.sites().page(u"download"_s);
    if (download.isEmpty())
        download = m_context.sites().site(u"maker"_s);
    return u"我正在用澄川出品的聚源匣，网盘、影音、BT资源一搜即得，推荐你也试试，下载地址："_s + download;
}

void SettingsWindow::share(int icon)
{
    if (icon == 1) {
        m_context.copyText(shareTitle() + u"\r\n"_s + shareInvitation());
        m_context.message(u"分享内容已复制到剪贴板，打开您要分享的QQ好友，直接发送即可!"_s);
        return;
    }
    QString site = m_context.sites().page(u"website"_s);
    if (site.isEmpty())
        site = m_context.sites().site(u"maker"_s);
    const QString title = icon == 6 ? gbkPercentEncoded(shareTitle()) : UTF8_URLEncoding(shareTitle());
    const QString endpoint = m_context.sites().page(u"share"_s + QString::number(icon));
    if (endpoint.isEmpty())
        return;
    m_context.openAddress(fillShareAddress(endpoint, site, title));
}
