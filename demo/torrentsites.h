#pragma once

class DemoServer;

// The torrent and magnet sites. Every page is made from the keyword and the
// page asked for; names carry the keyword, hashes are derived from it.
//
// torrent_search (UTF-8)   /search/<kw>/<page>: 25 hits, 10 to a page, each
//                          a table row with name, size and date cells, an
//                          "/information/<hash>" link and a magnet link;
//                          /information/<hash>: the torrent's page.
//                          Not found: a keyword containing "无结果", or a page
//                          past the last (page 4 on).
// rss_feed (UTF-8)         /rss/<kw>/: a feed whose channel title is written
//                          as CDATA like the items'; 6 items with title,
//                          "Size:" line, enclosure and date;
//                          /torrent/<hash>.torrent: the torrent file.
//                          Not found: a keyword containing "无结果" (channel,
//                          no items).
// magnet_search (UTF-8)    /?s=<kw>&p=<page>: 20 hits, 8 to a page; the last
//                          hit of every page has a bare magnet link (no "&").
//                          "无结果" in the keyword: "没有找到任何结果";
//                          "零结果": "<strong>0</strong>个结果"; a page past
//                          the last has no hits and no such text.
// resource_release (UTF-8) /search/<kw>?page=<page>: 12 hits, 5 to a page,
//                          each linking /detail/<id>.html, whose download
//                          anchor carries the magnet link; the 4th hit of a
//                          page links a detail page without one. "无结果":
//                          "<strong>0</strong>个结果"; "慢速": every detail
//                          page answers 400 ms late; "倒序": later items'
//                          detail pages answer sooner, their magnet links
//                          end in "&dn=<id>".
// movie_resource (GBK)     /index.asp?keyword=<kw>&page=<page>: "共有N部"
//                          above and below the table, 30 titles to a page;
//                          N is the number the keyword ends with (功夫12:
//                          12, 功夫125: 125), else 45. "无此片" in the
//                          keyword, or N = 0: "没有符合属性的影片".
//                          /detail.asp?ID=<id>: the title's page.
void registerTorrentSearchSite(DemoServer &server);
// torrent_search_redesign  the torrent search after a redesign: the same
//                          pages with <td class="title"> for the name cell.
void registerRedesignedTorrentSearchSite(DemoServer &server);
void registerRssFeedSite(DemoServer &server);
void registerMagnetSearchSite(DemoServer &server);
void registerResourceReleaseSite(DemoServer &server);
void registerMovieResourceSite(DemoServer &server);
