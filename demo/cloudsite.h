#pragma once

class DemoServer;

// The cloud on-demand service (UTF-8).
//
// cloud_on_demand  /api.php?ed=1&url=<address>: a page that shows the
//                  address it was given, read from the raw query (so a
//                  magnet link's "&dn=" stays part of it).
//                  /sample/ed2k-two.html: a resource page with two ed2k
//                  links; /sample/ed2k-none.html: one without any (pages
//                  for trying the "云端播放" row action).
void registerCloudSite(DemoServer &server);
