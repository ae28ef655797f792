#pragma once

class DemoServer;

// The BT movie section of the eMule site (UTF-8), a second handler for the
// key emule; every other path of that site answers 404 here.
//
// /Download/bt/dianying (page 1) and /Download/bt/dianying/<n>: 35 movies a
//   page on pages 1 to 4, 12 on page 5, none after it; each a link
//   "/Download/xiazai/dy<id>.html" with the name in its title attribute.
// /Download/xiazai/dy<id>.html: the movie's download page with its
//   "文件更新时间：" line and the magnet link (its "&" written "&amp;") in a
//   select-on-click text area. dy0.html has neither.
void registerBtMovieSection(DemoServer &server);
