#pragma once

class DemoServer;

// The movie listing site (GBK), key movie_listing.
//
// /html/gndy/dyzz/index.html, /html/gndy/china/index.html,
// /html/gndy/oumei/index.html, /html/tv/hytv/index.html,
// /html/tv/rihantv/index.html, /html/dongman/index.html: a category index
//   page of 25 title rows. The domestic titles live in
//   /html/gndy/china/..., the Western ones under /html/gndy/dyzz/ as on
//   the real site. Every third title carries inline font tags.
// <any other path ending ".html" under those trees>: the title's detail
//   page, whose download link follows "#fdfddf"; a detail file named
//   "nolink.html" has none.
// There is no search, so there are no not-found keywords.
void registerMovieListingSite(DemoServer &server);
