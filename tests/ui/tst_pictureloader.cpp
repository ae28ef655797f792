#include "core/pagefetcher.h"
#include "demo/demoserver.h"
#include "ui/pictureloader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPictureLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sources_data();
    void sources();

private:
    QTemporaryDir m_dir;
    DemoServer m_demo;
    QByteArray m_png;
};

void TestPictureLoader::initTestCase()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer buffer(&m_png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    QFile file(m_dir.filePath(u"poster.png"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(m_png);
    file.close();
    QFile junk(m_dir.filePath(u"junk.png"_s));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    const QByteArray png = m_png;
    m_demo.addSite(u"pictures"_s, [png](const DemoRequest &request) {
        if (request.path == u"/poster.png"_s)
            return DemoResponse::text(png, "image/png");
        return DemoResponse::notFound();
    });
    QVERIFY(m_demo.start());
}

void TestPictureLoader::sources_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QSize>("size");
    QTest::newRow("local path") << m_dir.filePath(u"poster.png"_s) << QSize(4, 3);
    QTest::newRow("file address") << QUrl::fromLocalFile(m_dir.filePath(u"poster.png"_s)).toString() << QSize(4, 3);
    QTest::newRow("web address") << m_demo.siteBase(u"pictures"_s) + u"/poster.png"_s << QSize(4, 3);
    QTest::newRow("missing file") << m_dir.filePath(u"none.png"_s) << QSize();
    QTest::newRow("not a picture") << m_dir.filePath(u"junk.png"_s) << QSize();
    QTest::newRow("error page") << m_demo.siteBase(u"pictures"_s) + u"/none.png"_s << QSize();
    QTest::newRow("empty") << QString() << QSize();
}

void TestPictureLoader::sources()
{
    QFETCH(QString, source);
    QFETCH(QSize, size);
    PageFetcher fetcher({});
    const QImage image = QCoro::waitFor(LoadPicture(fetcher, source));
    QCOMPARE(image.isNull() ? QSize() : image.size(), size);
}

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
