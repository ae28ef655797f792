#include "core/inidocument.h"
#include "shell/settingsfile.h"
#include "sources/torrents/torrentfilesaver.h"
#include "ui/listexport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

// A process killed in the middle of writing settings, an export or a
// downloaded torrent leaves the good file it replaces (or adds) whole. The
// test runs itself as a child that writes large files through the real code
// in a loop, kills it with SIGKILL at a random moment and checks the files.
namespace {

constexpr qsizetype ValueChars = 3 * 1024 * 1024;
constexpr qsizetype TorrentBytes = 4 * 1024 * 1024;
constexpr int ExportRows = 6000;
const QString SettingsKey = u"关闭快播"_s;

QString bigValue(int round)
{
    return QString(ValueChars, QChar(round % 2 ? u'是' : u'否'));
}

QByteArray bigTorrent()
{
    return "d4:info" + QByteArray(TorrentBytes, 'x') + 'e';
}

void fillList(QTreeWidget &list, int rows, const QString &text)
{
    list.setColumnCount(3);
    for (int r = 0; r < rows; ++r)
        list.addTopLevelItem(new QTreeWidgetItem({QString::number(r), text, QString(600, QChar(u'资'))}));
}

void written()
{
    std::fputs("w\n", stdout);
    std::fflush(stdout);
}

// The child: write forever, report each finished write.
int writeForever(const QString &kind, const QString &dir)
{
    if (kind == u"settings"_s) {
        const SettingsFile settings(dir);
        for (int round = 0;; ++round) {
            if (!settings.write(SettingsKey, bigValue(round)))
                return 2;
            written();
        }
    }
    if (kind == u"export"_s) {
        QTreeWidget list;
        fillList(list, ExportRows, u"big"_s);
        for (;;) {
            if (!ExportListViewContent(list, dir + u"/export.txt"_s))
                return 2;
            written();
        }
    }
    if (kind == u"torrent"_s) {
        const QByteArray bytes = bigTorrent();
        for (;;) {
            if (saveNewFile(dir, u"a.torrent"_s, bytes).isEmpty())
                return 2;
            written();
        }
    }
    return 3;
}

} // namespace

class TestKilledWrite : public QObject
{
    Q_OBJECT

public:
    QString self;

private Q_SLOTS:
    void killedMidWrite_data();
    void killedMidWrite();
};

void TestKilledWrite::killedMidWrite_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("settings") << u"settings"_s;
    QTest::newRow("export") << u"export"_s;
    QTest::newRow("torrent") << u"torrent"_s;
}

void TestKilledWrite::killedMidWrite()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    // The good file the child's writes replace or sit beside.
    const SettingsFile settings(dir.path());
    QTreeWidget small;
    fillList(small, 3, u"good"_s);
    QByteArray goodExport;
    if (kind == u"settings"_s) {
        QVERIFY(settings.write(SettingsFile::termsKey(), u"是"_s));
        QVERIFY(settings.write(SettingsKey, u"good"_s));
    } else if (kind == u"export"_s) {
        QVERIFY(ExportListViewContent(small, dir.filePath(u"export.txt"_s)));
        QFile file(dir.filePath(u"export.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        goodExport = file.readAll();
    } else {
        QCOMPARE(saveNewFile(dir.path(), u"a.torrent"_s, "d4:infoe"), dir.filePath(u"a.torrent"_s));
    }
    QByteArray bigExport;
    if (kind == u"export"_s) {
        QTreeWidget big;
        fillList(big, ExportRows, u"big"_s);
        QList<QStringList> rows;
        for (int r = 0; r < big.topLevelItemCount(); ++r)
            rows.append({big.topLevelItem(r)->text(0), big.topLevelItem(r)->text(1), big.topLevelItem(r)->text(2)});
        bigExport = exportBytes(rows);
    }
    const QByteArray torrent = kind == u"torrent"_s ? bigTorrent() : QByteArray();

    int strays = 0; // kills that caught a write half done
    for (int round = 0; round < 4; ++round) {
        QProcess child;
        child.start(self, {u"--write-forever"_s, kind, dir.path()});
        QVERIFY(child.waitForStarted());
        // Into the loop first, then a random moment inside it.
        QVERIFY(child.waitForReadyRead(60000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(5, 80)));
        child.kill(); // SIGKILL: no handler, no clean-up
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : names) {
            const QString path = dir.filePath(name);
            if (name.startsWith(u'.') || name.contains(u".ini."_s) || name.contains(u".txt."_s)) {
                // A temporary file of the interrupted write: evidence, not a result.
                ++strays;
                QFile::remove(path);
                continue;
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (kind == u"settings"_s) {
                QCOMPARE(name, SettingsFile::fileName());
                const IniDocument ini = IniDocument::fromBytes(bytes, IniDocument::Encoding::Gbk);
                const QString value = ini.value(SettingsFile::section(), SettingsKey);
                QVERIFY2(value == u"good"_s || value == bigValue(0) || value == bigValue(1),
                         qPrintable(QString::number(value.size())));
                QCOMPARE(ini.value(SettingsFile::section(), SettingsFile::termsKey()), u"是"_s);
            } else if (kind == u"export"_s) {
                QCOMPARE(name, u"export.txt"_s);
                QVERIFY2(bytes == goodExport || bytes == bigExport, qPrintable(QString::number(bytes.size())));
            } else if (name == u"a.torrent"_s) {
                QCOMPARE(bytes, QByteArray("d4:infoe"));
            } else {
                QVERIFY2(bytes == torrent, qPrintable(name + u' ' + QString::number(bytes.size())));
            }
        }
    }
    qInfo("%s: %d of 4 kills caught a write half done", qPrintable(kind), strays);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == u"--write-forever"_s)
        return writeForever(args.at(2), args.at(3));
    TestKilledWrite test;
    test.self = app.applicationFilePath();
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedwrite.moc"
