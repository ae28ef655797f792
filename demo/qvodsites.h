#pragma once

class DemoServer;
class SiteConfig;

// The two QVOD sites. Pages are made from the request.
//
// qvod_channel (GBK)  /channel/list_0_<n>.html: pages 1 to 3 list 25
//                     entries, page 4 lists 7, later pages none. Every 3rd
//                     title carries markup besides its anchor.
//                     /content/detail_<id>.html: poster and the four player
//                     tables; ids ending in 2 or 7 have no ＱＱ影音 table.
//                     The 快播资源 address is the demo's playable media
//                     file (a three-second tone served by DemoMediaServer
//                     on its own port), so "在线播放" really plays.
//                     /poster/<id>.png: the poster.
// qvod_search (UTF-8) /vod-show-p.html, /vod-show-p-<n>.html: listing pages
//                     1 to 4 with 20 rows; page 5 has 18 rows and 20 row
//                     markers; later pages none.
//                     /vod-search-wd-<kw>-p.html, ...-p-<n>.html: results,
//                     10 to a page, "共N部" and "当前:<n>/<pages>页"; N is
//                     the number the keyword ends with (功夫7: 7), else 25
//                     (three pages). Not found ("没有搜索到"): a keyword
//                     containing "无结果". "断页" in the keyword: every
//                     page after the first answers 500 with no body.
//                     /vod-detail-id-<id>.html: five "value=" attributes,
//                     the fifth the demo's playable media address, and three
//                     pictures; ids ending in 3 have only four (a dead
//                     resource). Each also links two qvod:// addresses,
//                     one of them twice.
//                     /download/: the player maker's download page
//                     ([pages] qvod_player_download).
void registerQvodChannelSite(DemoServer &server);
void registerQvodSearchSite(DemoServer &server);
// Points the player's download page at the demo channel site.
void configureQvodDemo(SiteConfig &config, const DemoServer &server);
