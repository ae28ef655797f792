#include "sources/movies/moviedetailreader.h"

#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/siteconfig.h"
#include "sources/movies/moviedetailparser.h"
#include "ui/listdoubleclick.h"
#include "ui/pictureloader.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "windows/moviedetailwindow.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int PostSubitem = 2; // dz

} // namespace

MovieDetailReader::MovieDetailReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_list(page->findChild<ResultList *>(u"ListView18"_s))
{
    setObjectName(u"MovieDetailReader"_s);
    Q_ASSERT_X(m_list, "MovieDetailReader", "the board list must be built first");
    if (m_list)
        ListDoubleClick::attach(m_list, this, [this] { readPost(); });
}

QCoro::Task<> MovieDetailReader::readPost()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    const QString address = m_list->cellText(row, PostSubitem);
    m_context.report(u"影片信息获取中..."_s);
    const LatestRequest::Ticket ticket = m_read.take();
    QPointer<MovieDetailReader> self(this);
    const QString body = co_await m_context.fetcher().GetBody(address);
    if (!ticket.isLatest() || body.isEmpty())
        co_return;
    const MovieDetail detail = parseMovieDetail(m_context.sites().definitions().get(u"movie-detail"_s), body);
    if (!detail.isReadable()) {
        const QMessageBox::StandardButton answer = m_context.message(
            u"无法获取当前影片信息!是否为您打开对应地址?"_s, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No);
        if (!self)
            co_return;
        if (answer == QMessageBox::Yes)
            m_context.openAddress(address);
        m_context.report(u"无法获取当前影片信息!"_s);
        co_return;
    }

    QPointer<MovieDetailWindow> window =
        new MovieDetailWindow(m_context, {detail.filmData, detail.synopsis, detail.link1, detail.link2},
                              m_context.window());
    window->open();
    // The poster follows when it has arrived; a failed load leaves it empty.
    const QImage poster = co_await LoadPicture(m_context.fetcher(), detail.posterAddress);
    if (window)
        window->setPoster(poster);
}
