#pragma once

class DemoServer;
class SiteConfig;

// The maker's site: the version file "/maker/version/gx.txt" ("V2.0"), the
// announcement file "/maker/data/gg.txt" (five entries) and the pages the
// program's link controls open. Everything in GBK, as the maker writes it.
// Also the live TV site ("/live_tv/<channel path>") and the seven video
// portals ("/portal/<option>/<page path>").
void registerMakerSite(DemoServer &server);
// The [pages] and [portals] addresses for the demo sites.
void configureMakerDemo(SiteConfig &config, const DemoServer &server);
