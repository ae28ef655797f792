#pragma once

class DemoServer;

// A site no built-in source reads: the worked example of a keyword source
// a user defines (docs/examples/definitions/exampleboard.toml).
//
// example_board (GBK, declared nowhere)  /s?q=<GBK keyword>&p=<page>: 24
//     hits, 10 to a page, each a <div class="item"> with a detail link
//     (/v/<n>), the name in a title attribute (an "&" written "&amp;"), the
//     size in <i> and the date in <em>. Not found ("没有找到相关资源"): a
//     keyword containing "无结果", or a page past the last.
void registerExampleBoardSite(DemoServer &server);
