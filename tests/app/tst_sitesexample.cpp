#include "core/siteconfig.h"
#include "sources/playback/portalpages.h"

#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

// sites.ini.example documents every key the program reads, with .example
// hosts only.
class TestSitesExample : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyKeyIsSetToAnExampleHost();
};

namespace {

bool exampleHost(const QString &address)
{
    return QUrl(address).host().endsWith(u".example"_s);
}

} // namespace

void TestSitesExample::everyKeyIsSetToAnExampleHost()
{
    const SiteConfig config = SiteConfig::fromFile(QStringLiteral(JYX_SOURCE_DIR "/sites.ini.example"));
    for (const QString &key : SiteConfig::siteKeys())
        QVERIFY2(exampleHost(config.site(key)), qPrintable(key));
    for (int i = 0; i < 24; ++i)
        QVERIFY2(config.netdiskFilter(i).endsWith(u".example"_s), qPrintable(QString::number(i)));
    for (const QString &option : PortalPages::options())
        QVERIFY2(exampleHost(config.portal(option)), qPrintable(option));
    QVERIFY(config.portal(u"Option7"_s).isEmpty());
    const QStringList pages = {u"forum"_s,      u"guestbook"_s,        u"website"_s,  u"program_site"_s,
                               u"maker_page"_s, u"design_studio"_s,    u"shop"_s,     u"contact"_s,
                               u"site_page"_s,  u"cloud_site"_s,       u"feedback"_s, u"discussion_group"_s,
                               u"tutorial"_s,   u"download"_s,         u"share2"_s,   u"share3"_s,
                               u"share4"_s,     u"share5"_s,           u"share6"_s,   u"qvod_player_download"_s};
    for (const QString &page : pages)
        QVERIFY2(exampleHost(config.page(page)), qPrintable(page));
    QVERIFY(config.page(u"share6"_s).contains(u"{title}"_s));
    QCOMPARE(config.network().timeoutMs, 30000);
    QCOMPARE(config.network().parallel, 6);
    QVERIFY(config.network().proxy.isEmpty());
}

QTEST_GUILESS_MAIN(TestSitesExample)
#include "tst_sitesexample.moc"
