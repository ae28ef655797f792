#include "shell/commandline.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Where the program looks for its site file: a build or a portable copy
// keeps it beside the program, an installed program in the user's
// configuration.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sitesFile_data();
    void sitesFile();

private:
    QTemporaryDir m_root;
};

void TestCommandLine::initTestCase()
{
    QVERIFY(m_root.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath(u"config"_s)));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_root.filePath(u"system"_s)));
    QCoreApplication::setApplicationName(u"juyuanxia"_s);
}

void TestCommandLine::sitesFile_data()
{
    QTest::addColumn<QStringList>("present"); // files made under the root
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("chosen");       // relative to the root

    const QString beside = u"program/sites.ini"_s;
    const QString user = u"config/juyuanxia/sites.ini"_s;
    const QString system = u"system/juyuanxia/sites.ini"_s;
    QTest::newRow("beside the program first") << QStringList{beside, user} << QStringList() << beside;
    QTest::newRow("the user's configuration") << QStringList{user, system} << QStringList() << user;
    QTest::newRow("the system's configuration") << QStringList{system} << QStringList() << system;
    QTest::newRow("none: beside the program") << QStringList() << QStringList() << beside;
    QTest::newRow("--sites wins") << QStringList{beside, user} << QStringList{u"--sites"_s, u"/x/my.ini"_s}
                                  << u"/x/my.ini"_s;
}

void TestCommandLine::sitesFile()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, arguments);
    QFETCH(QString, chosen);
    const QDir root(m_root.path());
    for (const QString &dir : {u"program"_s, u"config"_s, u"system"_s})
        QDir(root.filePath(dir)).removeRecursively();
    QDir().mkpath(root.filePath(u"program"_s));
    for (const QString &file : present) {
        QDir().mkpath(QFileInfo(root.filePath(file)).path());
        QFile out(root.filePath(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
    }
    const CommandLine line =
        CommandLine::parse(QStringList{u"juyuanxia"_s} + arguments, root.filePath(u"program"_s));
    QCOMPARE(line.sitesFile, chosen.startsWith(u'/') ? chosen : root.filePath(chosen));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
