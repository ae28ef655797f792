#pragma once

class DemoServer;

// The BT board (GBK), key bt_board.
//
// /list.php?BoardID=<1..8>: the board's post list, 50 posts (board 8: 23),
//   each row a link "display.php?BoardID=<b>&ID=<id>" with the title, then
//   reply count, size, author and category cells (the category inside a
//   link and a span). Every fourth title carries inline font tags.
// /display.php?BoardID=<b>&ID=<id>: the post. Post number k on its board
//   (id = b * 1000 + k): k = 7 is unreadable (no film data), k = 9 has a
//   single download link, other odd k use layout A ("<br />片名:"), even k
//   layout B ("◎译　　名"). Layout A links its second download with
//   "http://", layout B without.
// /poster/<id>.png: the poster picture (a small PNG).
// Any other board number gives an empty list page; there is no search.
void registerBtBoardSite(DemoServer &server);
