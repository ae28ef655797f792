#include "shell/readertable.h"

#include "shell/allsearchpage.h"

#include "sources/emule/ed2ksearchreader.h"
#include "sources/emule/emulecategoryreader.h"
#include "sources/emule/emulesearchreader.h"
#include "sources/movies/moviedetailreader.h"
#include "sources/movies/movielistingreader.h"
#include "sources/netdisk/netdiskreader.h"
#include "sources/playback/cloudondemandreader.h"
#include "sources/playback/playerarea.h"
#include "sources/playback/qvodchannelreader.h"
#include "sources/playback/qvodsearchreader.h"
#include "sources/torrents/btboardreader.h"
#include "sources/torrents/btmoviereader.h"
#include "sources/torrents/furthertorrentreader.h"
#include "sources/torrents/movieresourcereader.h"
#include "sources/torrents/rssfeedreader.h"
#include "sources/torrents/torrentsearchreader.h"

using namespace Qt::StringLiterals;

namespace {

template<typename Reader>
QObject *make(const ReaderContext &context, QWidget *page, QObject *parent)
{
    return new Reader(context, page, parent);
}

} // namespace

const QList<ReaderPlace> &readerTable()
{
    // Tab pages by index: SSTab1 网盘资源 0, 影音资源 1, 软件资源 2, 书籍资源 3,
    // 教育资源 4, 综合资源 5, 在线播放 6; SSTab2 番号资源 0, BT资源 1,
    // 云点播资源 2, 影视资源① 3 .. ④ 6, 音乐资源 7, 动漫资源 8; SSTab5
    // 资源① 0, 资源② 1; SSTab4 综合资源① 0 .. ③ 2; SSTab3 快播影视 0,
    // 影视搜索 1, 在线播放器 2, 网络电视 3, 云点播 4; SSTab1 8 聚合搜索, the
    // search across every source.
    static const QList<ReaderPlace> table = {
        {u"SSTab1"_s, 0, &make<NetdiskReader>},
        {u"SSTab2"_s, 0, &make<TorrentSearchReader>},
        {u"SSTab2"_s, 1, &make<RssFeedReader>},
        {u"SSTab2"_s, 2, &make<FurtherTorrentReader>},
        {u"SSTab2"_s, 3, &make<MovieResourceReader>},
        {u"SSTab2"_s, 7, &EmuleCategoryReader::make<EmuleCategoryReader::Music>},
        {u"SSTab5"_s, 0, &EmuleCategoryReader::make<EmuleCategoryReader::Software>},
        {u"SSTab1"_s, 3, &EmuleCategoryReader::make<EmuleCategoryReader::Book>},
        {u"SSTab1"_s, 4, &EmuleCategoryReader::make<EmuleCategoryReader::Education>},
        {u"SSTab4"_s, 0, &EmuleCategoryReader::make<EmuleCategoryReader::Datum>},
        {u"SSTab2"_s, 8, &EmuleCategoryReader::make<EmuleCategoryReader::Cartoon>},
        {u"SSTab5"_s, 1, &make<EmuleSearchReader>},
        {u"SSTab4"_s, 1, &make<Ed2kSearchReader>},
        {u"SSTab2"_s, 4, &make<MovieListingReader>},
        // The detail reader works on the board's list: it comes after it.
        {u"SSTab2"_s, 5, &make<BtBoardReader>},
        {u"SSTab2"_s, 5, &make<MovieDetailReader>, false},
        // Both from the eMule site: its film category and its BT movies.
        {u"SSTab2"_s, 6, &EmuleCategoryReader::make<EmuleCategoryReader::Movie>},
        {u"SSTab2"_s, 6, &make<BtMovieReader>},
        {u"SSTab3"_s, 0, &make<QvodChannelReader>},
        {u"SSTab3"_s, 1, &make<QvodSearchReader>},
        {u"SSTab3"_s, 2, &make<PlayerArea>},
        {u"SSTab3"_s, 4, &make<CloudOnDemandReader>},
        {u"SSTab1"_s, 8, &make<AllSearchPage>},
    };
    return table;
}
