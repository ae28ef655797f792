#pragma once

class DemoServer;

// The eMule resource site (key "emule", UTF-8): its category listings,
// detail pages and site search. Other families add further sections of the
// same site, so every path not listed here answers 404.
//
// /emule/<category>/<page>   movie 75 items, music 40, software 65, book 35,
//                            edu 31, datum 70, cartoon 45; 30 to a page, a
//                            short last page, no items past it. Each item: a
//                            "thumb" block whose anchor carries the detail
//                            path and the title, then a category link and
//                            " | " and a note with a <b> element before
//                            "</p>".
// /emule/detail/<id>.html    the item's page: item numbers ending in 0 carry
//                            no ed2k anchor (only a single-quoted one and a
//                            bare address), odd numbers two anchors, the
//                            others one.
// /emule/search/<kw>/<page>  the site search in the same markup: as many
//                            items as the number the keyword ends with
//                            ("地球7": 7), else 45; 30 to a page. A keyword
//                            containing "无结果", or a page past the last:
//                            "没能为您找到"; containing "空页": a page with
//                            neither items nor that text; containing "慢速":
//                            its items' detail pages answer 400 ms late.
void registerEmuleSite(DemoServer &server);
