#include "sources/emule/emulecategoryreader.h"

#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "sources/emule/ed2klinkextractor.h"
#include "sources/emule/emuleparser.h"
#include "ui/resultlist.h"
#include "ui/searchrun.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype ItemsPerPage = 30;

struct CategoryPlace
{
    const char16_t *name;    // objectName suffix
    const char16_t *group;   // button group, members 0 .. 2
    const char16_t *list;
    const char16_t *extract; // the list's "提取种子" action, none for cartoons
};

const CategoryPlace places[EmuleCategoryReader::CategoryCount] = {
    {u"movie", u"Command21", u"ListView6", u"kctqzz"},
    {u"music", u"Command26", u"ListView7", u"yytqzz"},
    {u"software", u"Command27", u"ListView8", u"tqzzrj"},
    {u"book", u"Command32", u"ListView9", u"tqzzts"},
    {u"edu", u"Command33", u"ListView10", u"tqzzjy"},
    {u"datum", u"Command38", u"ListView11", u"tqzzzh"},
    {u"cartoon", u"Command41", u"ListView12", nullptr},
};

} // namespace

EmuleCategoryReader::EmuleCategoryReader(const ReaderContext &context, QWidget *page, Category category,
                                         QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_category(category)
{
    const CategoryPlace &place = places[category];
    setObjectName(u"EmuleCategoryReader_"_s + QString::fromUtf16(place.name));
    buildControls(page);

    // No button is locked: a newer press supersedes an older fetch, so pages
    // never arrive out of order.
    m_run = new SearchRun(m_context, this);
    m_run->setSiteKey(u"emule"_s);
    connect(m_buttons[0], &QPushButton::clicked, this, [this] { fetchPage(); });
    connect(m_buttons[1], &QPushButton::clicked, this, &EmuleCategoryReader::nextPage);
    connect(m_buttons[2], &QPushButton::clicked, this, &EmuleCategoryReader::previousPage);

    m_list->bindRowActions(m_context);
    if (place.extract)
        new Ed2kLinkExtractor(m_context, m_list, QString::fromUtf16(place.extract), this);
}

void EmuleCategoryReader::buildControls(QWidget *page)
{
    const CategoryPlace &place = places[m_category];
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addStretch(1);
    const QString captions[3] = {u"获取资源"_s, u"下一页"_s, u"上一页"_s};
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new QPushButton(captions[i], page);
        m_buttons[i]->setObjectName(QString::fromUtf16(place.group) + u'_' + QString::number(i));
        row->addWidget(m_buttons[i]);
    }
    layout->addLayout(row);
    m_list = ResultList::create(QString::fromUtf16(place.list), page);
    layout->addWidget(m_list, 1);
}

QCoro::Task<> EmuleCategoryReader::fetchPage()
{
    m_run->begin(u"正在获取,请稍等.."_s);
    const QString base = m_context.sites().site(u"emule"_s);
    const QString address = emuleCategoryAddress(definition(), base, m_category, m_page);
    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    // A failed fetch (an error page too) leaves the list as it was and says
    // which site failed.
    if (const QString failure = m_run->failureReport(); !failure.isNull() || body->isEmpty()) {
        m_run->finish(failure);
        co_return;
    }
    m_list->clear();
    const QList<EmuleItem> items = parseEmuleListing(definition(), *body, base, ItemsPerPage);
    for (qsizetype i = 0; i < items.size(); ++i)
        m_list->addRow(emuleListRow(items.at(i), i + 1));
    m_run->finish(u"获取完毕.."_s);
}

void EmuleCategoryReader::nextPage()
{
    // The cartoon page number is a 16-bit number: it stops at 32767.
    const qint64 last = m_category == Cartoon ? qint64(std::numeric_limits<qint16>::max())
                                              : std::numeric_limits<qint64>::max();
    if (m_page < last)
        ++m_page;
    fetchPage();
}

void EmuleCategoryReader::previousPage()
{
    if (m_page == 1) {
        m_context.message(u"已经是最上一页!"_s);
        return;
    }
    --m_page;
    fetchPage();
}

const SiteDefinition &EmuleCategoryReader::definition() const
{
    return m_context.sites().definitions().get(u"emule-category"_s);
}
