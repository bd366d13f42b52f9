#include "playback/PlayListData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path, const QByteArray &bytes = {})
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QStringList names(const PlayListData &list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << fileNameOf(list.pathAt(i));
    return out;
}

} // namespace

class TestPlayListData : public QObject {
    Q_OBJECT

private slots:
    void isSupported_data();
    void isSupported();
    void splitList_data();
    void splitList();
    void fileNameOf_data();
    void fileNameOf();
    void scanFiltersAndSorts();
    void currentEntry_data();
    void currentEntry();
    void unlistableFolders_data();
    void unlistableFolders();
    void indexesOutOfRange();
    void removeKeepsOrderAndMark();
    void largeFolder();
};

void TestPlayListData::isSupported_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("supported");
    QTest::newRow("capitals") << u"/m/Song.FLAC"_s << true;
    QTest::newRow("lower case") << u"/m/song.flac"_s << true;
    QTest::newRow("two dots") << u"/m/a.bak.flac"_s << true;
    QTest::newRow("contains flac") << u"/m/a.xflacx"_s << true;
    QTest::newRow("mixed case") << u"/m/a.FlAc"_s << true;
    QTest::newRow("flac then other") << u"/m/a.flac.bak"_s << false;
    QTest::newRow("fla") << u"/m/track.fla"_s << false;
    QTest::newRow("mp3") << u"/m/track.mp3"_s << false;
    QTest::newRow("no dot") << u"/m/track"_s << false;
    QTest::newRow("dot in folder only") << u"/m/x.flac/track"_s << true;
}

void TestPlayListData::isSupported()
{
    QFETCH(QString, path);
    QFETCH(bool, supported);
    PlayListData list;
    QCOMPARE(list.isSupported(path), supported);
    QCOMPARE(list.isSupported(path), supported); // the token list is built once and kept
}

void TestPlayListData::splitList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("one") << u"flac"_s << QStringList{u"flac"_s};
    QTest::newRow("two") << u"flac;ogg"_s << QStringList{u"flac"_s, u"ogg"_s};
    QTest::newRow("trailing separator") << u"flac;"_s << QStringList{u"flac"_s};
    QTest::newRow("leading separator") << u";flac"_s << QStringList{QString(), u"flac"_s};
    QTest::newRow("empty between") << u"a;;b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty text") << QString() << QStringList{};
}

void TestPlayListData::splitList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QStringList out{u"kept"_s};
    QCOMPARE(::splitList(text, out), 1 + tokens.size());
    QCOMPARE(out, QStringList{u"kept"_s} + tokens);
}

void TestPlayListData::fileNameOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("full path") << u"/music/album/01 - Intro.flac"_s << u"01 - Intro.flac"_s;
    QTest::newRow("no separator") << u"song.flac"_s << u"song.flac"_s;
    QTest::newRow("backslash is a character") << u"/m/a\\b.flac"_s << u"a\\b.flac"_s;
    QTest::newRow("trailing separator") << u"/m/"_s << QString();
}

void TestPlayListData::fileNameOf()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(::fileNameOf(path), name);
}

void TestPlayListData::scanFiltersAndSorts()
{
    QTemporaryDir dir;
    const QString d = dir.path() + u'/';
    for (const auto &name :
         {u"c.flac"_s, u"B.flac"_s, u"a.flac"_s, u"10.flac"_s, u"2.flac"_s, u"\u00e9t\u00e9.flac"_s,
          u"empty.flac"_s, u".hidden.flac"_s, u"cover.jpg"_s, u"notes.txt"_s})
        touch(d + name, name == u"empty.flac"_s ? QByteArray() : QByteArray("x"));
    touch(d + u"noise.flac"_s, QByteArray(4096, '\x5a')); // not FLAC inside: the engine decides
    QVERIFY(QDir(d).mkdir(u"sub.flac"_s));
    touch(d + u"sub.flac/inner.flac"_s);
    QVERIFY(QFile::link(d + u"sub.flac"_s, d + u"linked-dir.flac"_s));
    QVERIFY(QFile::link(d + u"gone"_s, d + u"dangling.flac"_s));
    QVERIFY(::mkfifo(QFile::encodeName(d + u"x.flac"_s).constData(), 0600) == 0);

    PlayListData list;
    QCOMPARE(list.scanFolder(d + u"a.flac"_s), 8);
    QCOMPARE(names(list),
             (QStringList{u"10.flac"_s, u"2.flac"_s, u"B.flac"_s, u"a.flac"_s, u"c.flac"_s,
                          u"empty.flac"_s, u"noise.flac"_s, u"\u00e9t\u00e9.flac"_s}));
    QCOMPARE(list.currentIndex(), 3);
    QCOMPARE(list.pathAt(3), d + u"a.flac"_s);

    // A new scan replaces the list.
    QCOMPARE(list.scanFolder(d + u"sub.flac/inner.flac"_s), 1);
    QCOMPARE(list.currentIndex(), 0);
}

void TestPlayListData::currentEntry_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::addColumn<int>("current");
    // Entries are the opened path's folder part followed by the listed names, so a spelling
    // of the folder carries over to every entry; only a file name spelled otherwise than the
    // listing leaves the list without a current entry.
    QTest::newRow("as listed") << u"%1/b.flac"_s << 1;
    QTest::newRow("doubled slash") << u"%1//b.flac"_s << 1;
    QTest::newRow("dot folder") << u"%1/./b.flac"_s << 1;
    QTest::newRow("through a linked folder") << u"%1-link/b.flac"_s << 1;
    QTest::newRow("name in other case") << u"%1/B.flac"_s << -1;
}

void TestPlayListData::currentEntry()
{
    QFETCH(QString, spelling);
    QFETCH(int, current);
    QTemporaryDir root;
    const QString d = root.filePath(u"album"_s);
    QVERIFY(QDir().mkpath(d));
    QVERIFY(QFile::link(d, d + u"-link"_s));
    for (const auto &name : {u"a.flac"_s, u"b.flac"_s, u"c.flac"_s})
        touch(d + u'/' + name);

    const QString opened = spelling.arg(d);
    PlayListData list;
    QCOMPARE(list.scanFolder(opened), 3);
    QCOMPARE(list.currentIndex(), current);
    QCOMPARE(list.pathAt(1) == opened, current == 1);
    QVERIFY(list.pathAt(0).startsWith(opened.left(opened.lastIndexOf(u'/') + 1)));
}

void TestPlayListData::unlistableFolders_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("no separator") << u"a.flac"_s;
    QTest::newRow("missing folder") << u"/nonexistent-sonexa-folder/a.flac"_s;
    QTest::newRow("file as folder") << u"/dev/null/a.flac"_s;
    QTest::newRow("empty") << QString();
}

void TestPlayListData::unlistableFolders()
{
    QFETCH(QString, path);
    PlayListData list;
    QCOMPARE(list.scanFolder(path), 0);
    QCOMPARE(list.currentIndex(), -1);
}

void TestPlayListData::indexesOutOfRange()
{
    QTemporaryDir dir;
    for (const auto &name : {u"a.flac"_s, u"b.flac"_s, u"c.flac"_s})
        touch(dir.filePath(name));
    PlayListData list;
    QCOMPARE(list.scanFolder(dir.filePath(u"b.flac"_s)), 3);
    for (const int bad : {-1, 3, 5}) {
        list.setCurrent(bad);
        QCOMPARE(list.currentIndex(), 1);
        QCOMPARE(list.pathAt(bad), QString());
        QVERIFY(!list.removeAt(bad));
        QCOMPARE(list.count(), 3);
    }
}

void TestPlayListData::removeKeepsOrderAndMark()
{
    QTemporaryDir dir;
    for (const auto &name : {u"a.flac"_s, u"b.flac"_s, u"c.flac"_s, u"d.flac"_s})
        touch(dir.filePath(name));
    PlayListData list;
    list.scanFolder(dir.filePath(u"c.flac"_s));
    QVERIFY(list.removeAt(1));
    QCOMPARE(names(list), (QStringList{u"a.flac"_s, u"c.flac"_s, u"d.flac"_s}));
    QCOMPARE(list.currentIndex(), 1);
    list.setCurrent(2);
    QCOMPARE(list.currentIndex(), 2);
    QVERIFY(list.removeAt(2));
    QCOMPARE(list.currentIndex(), -1);
}

void TestPlayListData::largeFolder()
{
    QTemporaryDir dir;
    constexpr int kFiles = 10000;
    for (int i = 0; i < kFiles; ++i)
        touch(dir.filePath(u"track %1.flac"_s.arg(i)));
    PlayListData list;
    QCOMPARE(list.scanFolder(dir.filePath(u"track 5000.flac"_s)), kFiles);
    QCOMPARE(list.pathAt(list.currentIndex()), dir.filePath(u"track 5000.flac"_s));
    for (int i = 1; i < list.count(); ++i)
        QVERIFY(list.pathAt(i - 1) < list.pathAt(i));
}

QTEST_GUILESS_MAIN(TestPlayListData)
#include "tst_playlistdata.moc"
