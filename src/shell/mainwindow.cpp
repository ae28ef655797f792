#include "shell/mainwindow.h"

#include "core/services.h"
#include "shell/readertable.h"
#include "shell/windowshell.h"

#include <QCloseEvent>
#include <QHash>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QTabWidget *makeTabs(const QString &name, const QStringList &captions, QWidget *parent)
{
    auto *tabs = new QTabWidget(parent);
    tabs->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        auto *page = new QWidget(tabs);
        page->setObjectName(name + u"_page"_s + QString::number(i));
        tabs->addTab(page, captions.at(i));
    }
    return tabs;
}

void fillWith(QWidget *page, QWidget *child)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
}

} // namespace

const QString &MainWindow::windowCaption()
{
    static const QString caption = u"聚源匣 2014【贺岁版】 - 搜你所想"_s;
    return caption;
}

MainWindow::MainWindow(Services &services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
{
    setObjectName(u"MainWindow"_s);
    setWindowTitle(windowCaption());
    resize(1000, 680);
    buildStatusBar();
    buildTabs();
    m_shell = new WindowShell(this, m_services);
    placeReaders();
}

void MainWindow::placeReaders()
{
    const QList<ReaderPlace> &table = readerTable();
    auto pageOf = [this](const ReaderPlace &place) {
        QTabWidget *tabs = innerTabs(place.tabs);
        Q_ASSERT(tabs && place.page < tabs->count());
        return tabs->widget(place.page);
    };
    QHash<QWidget *, int> builders; // readers that build controls, per page
    for (const ReaderPlace &place : table) {
        if (place.buildsControls)
            ++builders[pageOf(place)];
    }
    QHash<QWidget *, QSplitter *> shared;
    for (const ReaderPlace &place : table) {
        QWidget *page = pageOf(place);
        QWidget *target = page;
        if (place.buildsControls && builders.value(page) > 1) {
            QSplitter *&splitter = shared[page];
            if (!splitter) {
                splitter = new QSplitter(Qt::Vertical, page);
                splitter->setChildrenCollapsible(false);
                fillWith(page, splitter);
            }
            target = new QWidget(splitter);
            splitter->addWidget(target);
        }
        place.make(context(), target, this);
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(u"StatusBar1"_s);
    bar->setSizeGripEnabled(false);
    const QStringList texts = {
        u"运行提示："_s,
        u"正在检测程序最新版本.."_s,
        u"官方交流群：点此加入讨论"_s,
        u"网盘资源"_s,
        u"当前版本：V2.0 | 网络版本：未检测"_s,
        u"澄川出品"_s,
    };
    for (int i = 0; i < texts.size(); ++i) {
        auto *label = new QLabel(texts.at(i), bar);
        label->setObjectName(u"Panel"_s + QString::number(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addWidget(label, i == 1 ? 1 : 0);
        m_panels.append(label);
    }
}

void MainWindow::buildTabs()
{
    m_mainTabs = makeTabs(u"SSTab1"_s,
                          {u"网盘资源"_s, u"影音资源"_s, u"软件资源"_s, u"书籍资源"_s, u"教育资源"_s,
                           u"综合资源"_s, u"在线播放"_s, u"关于程序"_s, u"聚合搜索"_s},
                          this);
    setCentralWidget(m_mainTabs);

    QTabWidget *media = makeTabs(u"SSTab2"_s,
                                 {u"番号资源"_s, u"BT资源"_s, u"云点播资源"_s, u"影视资源①"_s, u"影视资源②"_s,
                                  u"影视资源③"_s, u"影视资源④"_s, u"音乐资源"_s, u"动漫资源"_s,
                                  u"澄川云点播"_s, u"网络视频"_s},
                                 m_mainTabs);
    fillWith(m_mainTabs->widget(1), media);
    QTabWidget *software = makeTabs(u"SSTab5"_s, {u"资源①"_s, u"资源②（支持自定义搜索）"_s}, m_mainTabs);
    fillWith(m_mainTabs->widget(2), software);
    QTabWidget *general = makeTabs(u"SSTab4"_s, {u"综合资源①"_s, u"综合资源②"_s, u"综合资源③"_s}, m_mainTabs);
    fillWith(m_mainTabs->widget(5), general);
    QTabWidget *playback = makeTabs(u"SSTab3"_s,
                                    {u"快播影视"_s, u"影视搜索"_s, u"在线播放器"_s, u"网络电视"_s, u"云点播"_s},
                                    m_mainTabs);
    fillWith(m_mainTabs->widget(6), playback);
    m_innerTabs = {media, software, general, playback};

    followTabCaption(m_mainTabs);
    followTabCaption(software);
    followTabCaption(general);
    followTabCaption(playback);
    followTabCaption(media);
}

void MainWindow::followTabCaption(QTabWidget *tabs)
{
    connect(tabs, &QTabWidget::currentChanged, this, [this, tabs](int index) {
        if (index >= 0)
            m_panels.at(3)->setText(tabs->tabText(index));
    });
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_startupDone)
        return;
    m_startupDone = true;
    m_shell->start();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_shell->handleClose())
        event->accept();
    else
        event->ignore();
}

ReaderContext MainWindow::context()
{
    return ReaderContext(&m_services, m_panels.at(1), this);
}

QLabel *MainWindow::panel(int number) const
{
    return m_panels.value(number - 1);
}

QTabWidget *MainWindow::mainTabs() const
{
    return m_mainTabs;
}

QTabWidget *MainWindow::innerTabs(const QString &name) const
{
    if (name == m_mainTabs->objectName())
        return m_mainTabs;
    for (QTabWidget *tabs : m_innerTabs) {
        if (tabs->objectName() == name)
            return tabs;
    }
    return nullptr;
}

WindowShell *MainWindow::shell() const
{
    return m_shell;
}
