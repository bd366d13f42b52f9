#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void fileLocation_data();
    void fileLocation();
    void kinds_data();
    void kinds();
    void corruptFile_data();
    void corruptFile();
    void ownFileOnly();
    void syncSeesAnotherWriter();
};

namespace {

enum class Kind { Text, Binary, Number };

const QString kName = u"MAIN_WP"_s;

void writeFile(const QString &path, const QByteArray &contents)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

} // namespace

void TestSettingsStore::fileLocation_data()
{
    QTest::addColumn<QString>("organisation");
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("placement") << u"Brightfold"_s << u"Sonexa"_s << u"Brightfold/Sonexa.ini"_s;
    QTest::newRow("hand-off") << u"Sonexa"_s << QString() << u"Sonexa.ini"_s;
}

void TestSettingsStore::fileLocation()
{
    QFETCH(QString, organisation);
    QFETCH(QString, application);
    QFETCH(QString, relativePath);
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY2(!configHome.isEmpty(), "run through tests/isolated");

    SettingsStore store(organisation, application);
    QCOMPARE(store.fileName(), configHome + u'/' + relativePath);
    QVERIFY(store.writeNumber(u"MainFrame_Handle"_s, 1));
    QVERIFY(QFile::exists(store.fileName()));
}

void TestSettingsStore::kinds_data()
{
    QTest::addColumn<Kind>("written");
    QTest::newRow("text") << Kind::Text;
    QTest::newRow("binary") << Kind::Binary;
    QTest::newRow("number") << Kind::Number;
}

// A value reads back through its own kind only, also in a store opened afterwards.
void TestSettingsStore::kinds()
{
    QFETCH(Kind, written);
    const QString application = QString::fromLatin1(QTest::currentDataTag());
    const QString text = u"/music/Ünïcode – 曲.flac"_s;
    // Bytes that INI would otherwise mangle: NUL, newline, '@', '=' and high bytes.
    const QByteArray binary("\0\n@ByteArray(=\xff\x80", 16);
    const quint32 number = 0xfedcba98;
    {
        SettingsStore store(u"Kinds"_s, application);
        switch (written) {
        case Kind::Text:
            QVERIFY(store.writeText(kName, text));
            break;
        case Kind::Binary:
            QVERIFY(store.writeBinary(kName, binary));
            break;
        case Kind::Number:
            QVERIFY(store.writeNumber(kName, number));
            break;
        }
    }
    SettingsStore store(u"Kinds"_s, application);
    QCOMPARE(store.readText(kName), written == Kind::Text ? std::optional(text) : std::nullopt);
    QCOMPARE(store.readBinary(kName),
             written == Kind::Binary ? std::optional(binary) : std::nullopt);
    QCOMPARE(store.readNumber(kName),
             written == Kind::Number ? std::optional(number) : std::nullopt);
}

void TestSettingsStore::corruptFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QByteArray noise;
    for (int i = 0; i < 1024; ++i)
        noise += char((i * 37) & 0xff);
    QTest::newRow("binary noise") << noise;
    QTest::newRow("hand-written text") << "[General]\nMAIN_WP=hello\n"_ba;
    QTest::newRow("hand-written number") << "[General]\nMAIN_WP=42\n"_ba;
    // Plain text whose first character happens to equal a kind tag.
    QTest::newRow("hand-written tag") << "[General]\nMAIN_WP=\\x3xyz\n"_ba;
    QTest::newRow("no kind tag") << "[General]\nMAIN_WP=@ByteArray()\n"_ba;
    QTest::newRow("unknown tag") << "[General]\nMAIN_WP=@ByteArray(\\x7xyz)\n"_ba;
    QTest::newRow("number of 3 bytes") << "[General]\nMAIN_WP=@ByteArray(\\x4\\x1\\x2\\x3)\n"_ba;
    QTest::newRow("number of 5 bytes")
        << "[General]\nMAIN_WP=@ByteArray(\\x4\\x1\\x2\\x3\\x4\\x5)\n"_ba;
    QTest::newRow("text not UTF-8") << "[General]\nMAIN_WP=@ByteArray(\\x1\\xff\\xfe)\n"_ba;
    QTest::newRow("unterminated") << "[General]\nMAIN_WP=@ByteArray(\\x3abc"_ba;
    QTest::newRow("foreign variant") << "[General]\nMAIN_WP=@Variant(\\0\\0\\0\\x7f\\0)\n"_ba;
    QTest::newRow("broken section") << "[Gene\nMAIN_WP\n=\n\\\n"_ba;
}

// Whatever the file holds, nothing reads as a value, and the store still takes new values.
void TestSettingsStore::corruptFile()
{
    QFETCH(QByteArray, contents);
    const QString application = QString::fromLatin1(QTest::currentDataTag());
    const QString path = SettingsStore(u"Corrupt"_s, application).fileName();
    writeFile(path, contents);

    SettingsStore store(u"Corrupt"_s, application);
    QCOMPARE(store.readText(kName), std::nullopt);
    QCOMPARE(store.readBinary(kName), std::nullopt);
    QCOMPARE(store.readNumber(kName), std::nullopt);

    QVERIFY(store.writeNumber(kName, 44));
    QCOMPARE(SettingsStore(u"Corrupt"_s, application).readNumber(kName), 44u);
}

// The organisation's own file and the system's files are other stores, not defaults.
void TestSettingsStore::ownFileOnly()
{
    QVERIFY(SettingsStore(u"Brightfold"_s).writeNumber(kName, 1));
    QCOMPARE(SettingsStore(u"Brightfold"_s, u"Sonexa"_s).readNumber(kName), std::nullopt);
}

void TestSettingsStore::syncSeesAnotherWriter()
{
    QByteArray written;
    {
        SettingsStore elsewhere(u"Elsewhere"_s);
        QVERIFY(elsewhere.writeNumber(u"MainFrame_Handle"_s, 4242));
        QFile file(elsewhere.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        written = file.readAll();
    }
    SettingsStore store(u"Sync"_s);
    QCOMPARE(store.readNumber(u"MainFrame_Handle"_s), std::nullopt);

    // Another process replaces the file behind this store's back.
    writeFile(store.fileName(), written);
    store.sync();
    QCOMPARE(store.readNumber(u"MainFrame_Handle"_s), 4242u);
}

QTEST_APPLESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
