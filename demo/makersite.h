#pragma once

class DemoServer;
class SiteConfig;

// The maker's site: the version file "/maker/version/gx.txt" ("V2.0"), the
// announcement file "/maker/data/gg.txt" (five entries) and the pages the
// program's link controls open. Everything in GBK, as the maker writes it.
void registerMakerSite(DemoServer &server);
void configureMakerDemo(SiteConfig &config, const DemoServer &server);
