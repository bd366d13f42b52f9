#include "platform/ReadableFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestReadableFile : public QObject {
    Q_OBJECT

private slots:
    void kinds_data();
    void kinds();
    void unreadableFile();

private:
    QTemporaryDir dir;
};

void TestReadableFile::kinds_data()
{
    QVERIFY(dir.isValid());
    const QString d = dir.path() + u'/';
    QFile(d + u"plain.flac"_s).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(d + u"plain.flac"_s, d + u"link.flac"_s));
    QVERIFY(QFile::link(d + u"gone.flac"_s, d + u"dangling.flac"_s));
    QVERIFY(::mkfifo(QFile::encodeName(d + u"pipe.flac"_s).constData(), 0600) == 0);

    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("readable");
    QTest::newRow("regular file") << d + u"plain.flac"_s << true;
    QTest::newRow("link to a file") << d + u"link.flac"_s << true;
    QTest::newRow("dangling link") << d + u"dangling.flac"_s << false;
    // Opening a FIFO for reading would wait for a writer for ever.
    QTest::newRow("fifo") << d + u"pipe.flac"_s << false;
    QTest::newRow("directory") << dir.path() << false;
    QTest::newRow("device") << u"/dev/null"_s << false;
    QTest::newRow("missing") << d + u"missing.flac"_s << false;
    QTest::newRow("empty path") << QString() << false;
}

void TestReadableFile::kinds()
{
    QFETCH(QString, path);
    QFETCH(bool, readable);
    QCOMPARE(isReadableFile(path), readable);
}

void TestReadableFile::unreadableFile()
{
    if (::geteuid() == 0)
        QSKIP("root reads files whatever their permissions");
    const QString path = dir.filePath(u"locked.flac"_s);
    QFile(path).open(QIODevice::WriteOnly);
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QVERIFY(!isReadableFile(path));
}

QTEST_GUILESS_MAIN(TestReadableFile)
#include "tst_readablefile.moc"
