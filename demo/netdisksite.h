#pragma once

#include <QString>

class DemoServer;
class SiteConfig;

// The web search engine asked for one netdisk site at a time:
//   /netdisk_search/s?wd=site%3A<filter>%20<keyword>&pn=<offset>&rn=50...
// answers a JSON-like result page with "title":"…" and "url":"…" per hit.
// Netdisks 12, 16 and 21 never have hits; the keyword "无结果" has none
// anywhere, and one with "慢" is answered 1.5 s late; one with "基准" has 10
// hits on every netdisk, each page 200 ms late (the search benchmark). On
// netdisk 3 the last hit names CSDN, on netdisk 5 the last hit names no
// netdisk at all.
void registerNetdiskSite(DemoServer &server);
void configureNetdiskDemo(SiteConfig &config);
QString demoNetdiskFilter(int index);
