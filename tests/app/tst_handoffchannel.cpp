#include "app/HandOffChannel.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

class TestHandOffChannel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void handsOverAbsolutePath_data();
    void handsOverAbsolutePath();
    void noRunningCopy_data();
    void noRunningCopy();
    void wrongAnswer_data();
    void wrongAnswer();
    void twoAtOnce();
    void badClients_data();
    void badClients();
    void listenFailurePublishesNothing();

private:
    QTemporaryDir dir;
};

namespace {

const QString kHandle = u"MainFrame_Handle"_s;
const QString kNewFile = u"MainFrame_NewFile"_s;
const QString kUntouched = u"untouched"_s;

SettingsStore handOffStore()
{
    return SettingsStore(u"Sonexa"_s);
}

quint32 ownHandle()
{
    return quint32(QCoreApplication::applicationPid());
}

QString socketPathOf(quint32 handle)
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/sonexa-"_s + QString::number(handle);
}

// The client blocks, so it runs on a thread of its own while this thread's loop serves it.
class HandOff {
public:
    explicit HandOff(const QString &path)
        : result(std::async(std::launch::async,
                            [path] { return HandOffChannel::handOffToRunningInstance(path); }))
    {
        clock.start();
    }
    bool finished() const { return result.wait_for(0s) == std::future_status::ready; }
    bool succeeded() { return result.get(); }
    qint64 elapsed() const { return clock.elapsed(); }

private:
    std::future<bool> result;
    QElapsedTimer clock;
};

// What a copy that crashed leaves behind: a socket file that nobody listens on.
bool leaveStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    qstrncpy(address.sun_path, name.constData(), sizeof(address.sun_path));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

} // namespace

void TestHandOffChannel::init()
{
    QVERIFY(dir.isValid());
    QVERIFY(handOffStore().writeText(kNewFile, kUntouched));
}

void TestHandOffChannel::handsOverAbsolutePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("handed");
    const QString name = u"Ünïcode – 曲.flac"_s;
    QTest::newRow("relative") << name << dir.filePath(name);
    const QString longest = dir.path() + u'/';
    const QString filler(qsizetype(HandOffChannel::kMaxPathBytes) - longest.toUtf8().size(), u'a');
    QTest::newRow("4096 bytes") << longest + filler << longest + filler;
    // The new copy then opens the file itself.
    QTest::newRow("4097 bytes") << longest + filler + u'a' << QString();
}

void TestHandOffChannel::handsOverAbsolutePath()
{
    QFETCH(QString, path);
    QFETCH(QString, handed);
    HandOffChannel channel;
    QSignalSpy opened(&channel, &HandOffChannel::openRequested);
    QVERIFY(channel.registerMainWindow());
    QCOMPARE(handOffStore().readNumber(kHandle), ownHandle());
    QVERIFY(QDir::setCurrent(dir.path()));

    HandOff client(path);
    QTRY_VERIFY(client.finished());
    QCOMPARE(client.succeeded(), !handed.isEmpty());
    if (handed.isEmpty()) {
        QTest::qWait(100);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(handOffStore().readText(kNewFile), kUntouched);
        return;
    }
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).toString(), handed);
    SettingsStore store = handOffStore();
    store.sync();
    QCOMPARE(store.readText(kNewFile), handed);
}

enum class Handle { Missing, OfAnotherKind, Zero, WithoutListener, StaleSocket };

void TestHandOffChannel::noRunningCopy_data()
{
    QTest::addColumn<Handle>("handle");
    QTest::newRow("no handle") << Handle::Missing;
    QTest::newRow("handle stored as text") << Handle::OfAnotherKind;
    QTest::newRow("handle 0") << Handle::Zero;
    QTest::newRow("no socket") << Handle::WithoutListener;
    QTest::newRow("stale socket") << Handle::StaleSocket;
}

// A live channel is listening, but the stored handle does not lead to it.
void TestHandOffChannel::noRunningCopy()
{
    QFETCH(Handle, handle);
    HandOffChannel channel;
    QSignalSpy opened(&channel, &HandOffChannel::openRequested);
    QVERIFY(channel.registerMainWindow());
    const quint32 gone = ownHandle() + 1;
    SettingsStore store = handOffStore();
    switch (handle) {
    case Handle::Missing:
        QVERIFY(QFile::remove(store.fileName()));
        break;
    case Handle::OfAnotherKind:
        QVERIFY(store.writeText(kHandle, QString::number(ownHandle())));
        break;
    case Handle::Zero:
        QVERIFY(store.writeNumber(kHandle, 0));
        break;
    case Handle::WithoutListener:
        QVERIFY(store.writeNumber(kHandle, gone));
        break;
    case Handle::StaleSocket:
        QVERIFY(leaveStaleSocket(socketPathOf(gone)));
        QVERIFY(store.writeNumber(kHandle, gone));
        break;
    }

    HandOff client(dir.filePath(u"song.flac"_s));
    QTRY_VERIFY_WITH_TIMEOUT(client.finished(), 5000);
    QVERIFY(!client.succeeded());
    QCOMPARE_LT(client.elapsed(), 1000);
    QCOMPARE(opened.count(), 0);
    store.sync();
    QCOMPARE(store.readText(kNewFile),
             handle == Handle::Missing ? std::nullopt : std::optional(kUntouched));
    QFile::remove(socketPathOf(gone));
}

void TestHandOffChannel::wrongAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("waitsForIt");
    QTest::newRow("silence") << QByteArray() << true;
    QTest::newRow("half the ping") << "\xf7\x81"_ba << true;
    QTest::newRow("zero") << QByteArray(4, '\0') << false;
    QTest::newRow("open request") << "\xf8\x81\0\0"_ba << false;
    QTest::newRow("ping big-endian") << "\0\0\x81\xf7"_ba << false;
}

// Something else listens where the handle leads.
void TestHandOffChannel::wrongAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, waitsForIt);
    const quint32 impostor = ownHandle() + 2;
    QLocalServer server;
    QVERIFY(server.listen(socketPathOf(impostor)));
    QByteArray received;
    QList<QLocalSocket *> peers;
    connect(&server, &QLocalServer::newConnection, this, [&] {
        QLocalSocket *peer = server.nextPendingConnection();
        peers << peer;
        connect(peer, &QLocalSocket::readyRead, this, [&received, peer, answer] {
            received += peer->readAll();
            peer->write(answer);
        });
    });
    QVERIFY(handOffStore().writeNumber(kHandle, impostor));

    HandOff client(dir.filePath(u"song.flac"_s));
    QTRY_VERIFY_WITH_TIMEOUT(client.finished(), 6000);
    QVERIFY(!client.succeeded());
    if (waitsForIt) {
        QCOMPARE_GE(client.elapsed(), 2900);
        QCOMPARE_LT(client.elapsed(), 4500);
    } else {
        QCOMPARE_LT(client.elapsed(), 1000);
    }
    // Only the ping was sent, and no path was left for the running copy.
    QTRY_COMPARE(received, "\xf7\x81\0\0"_ba);
    SettingsStore store = handOffStore();
    store.sync();
    QCOMPARE(store.readText(kNewFile), kUntouched);
}

void TestHandOffChannel::twoAtOnce()
{
    HandOffChannel channel;
    QSignalSpy opened(&channel, &HandOffChannel::openRequested);
    QVERIFY(channel.registerMainWindow());
    const QString first = dir.filePath(u"first.flac"_s);
    const QString second = dir.filePath(u"second.flac"_s);

    HandOff one(first);
    HandOff two(second);
    QTRY_VERIFY(one.finished() && two.finished());
    QVERIFY(one.succeeded());
    QVERIFY(two.succeeded());
    QTRY_COMPARE(opened.count(), 2);
    QStringList paths{opened.at(0).at(0).toString(), opened.at(1).at(0).toString()};
    paths.sort();
    QCOMPARE(paths, QStringList({first, second}));
}

void TestHandOffChannel::badClients_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("droppedAtOnce");
    QTest::newRow("unknown id") << "hello, world"_ba << true;
    QTest::newRow("empty path") << "\xf8\x81\0\0\0\0\0\0"_ba << true;
    QTest::newRow("4097-byte count") << "\xf8\x81\0\0\x01\x10\0\0"_ba << true;
    QTest::newRow("huge count") << "\xf8\x81\0\0\xff\xff\xff\xff"_ba << true;
    QTest::newRow("path not UTF-8") << "\xf8\x81\0\0\x02\0\0\0\xff\xfe"_ba << true;
    QTest::newRow("NUL in path") << "\xf8\x81\0\0\x03\0\0\0a\0b"_ba << true;
    QTest::newRow("second ping") << "\xf7\x81\0\0\xf7\x81\0\0"_ba << true;
    QTest::newRow("nothing") << QByteArray() << false;
    QTest::newRow("half an id") << "\xf7\x81"_ba << false;
    QTest::newRow("ping only") << "\xf7\x81\0\0"_ba << false;
    QTest::newRow("half a header") << "\xf8\x81\0\0\x0a\0"_ba << false;
    QTest::newRow("half a path") << "\xf8\x81\0\0\x0a\0\0\0abc"_ba << false;
}

// A bad connection is dropped, at once or when it goes stale, and never keeps the channel
// from serving a good copy meanwhile.
void TestHandOffChannel::badClients()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, droppedAtOnce);
    constexpr auto staleAfter = 2000ms;
    HandOffChannel channel(staleAfter);
    QSignalSpy opened(&channel, &HandOffChannel::openRequested);
    QVERIFY(channel.registerMainWindow());

    QLocalSocket bad;
    bad.connectToServer(socketPathOf(ownHandle()));
    QVERIFY(bad.waitForConnected(1000));
    QElapsedTimer clock;
    clock.start();
    bad.write(bytes);
    QVERIFY(bad.flush() || bytes.isEmpty());
    if (droppedAtOnce) {
        QTRY_COMPARE_WITH_TIMEOUT(bad.state(), QLocalSocket::UnconnectedState, 1000);
    }

    const QString good = dir.filePath(u"good.flac"_s);
    HandOff client(good);
    QTRY_VERIFY(client.finished());
    QVERIFY(client.succeeded());
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).toString(), good);
    if (!droppedAtOnce)
        QCOMPARE(bad.state(), QLocalSocket::ConnectedState);

    QTRY_COMPARE_WITH_TIMEOUT(bad.state(), QLocalSocket::UnconnectedState, 4000);
    if (!droppedAtOnce)
        QCOMPARE_GE(clock.elapsed(), staleAfter.count() - 100);
    QCOMPARE(opened.count(), 1);
}

// Another socket of this name cannot be removed, so the channel cannot listen.
void TestHandOffChannel::listenFailurePublishesNothing()
{
    const QString path = socketPathOf(ownHandle());
    QVERIFY(QDir().mkdir(path));
    QVERIFY(handOffStore().writeNumber(kHandle, 7));
    HandOffChannel channel;
    QVERIFY(!channel.registerMainWindow());
    SettingsStore store = handOffStore();
    store.sync();
    QCOMPARE(store.readNumber(kHandle), 7u);
    QVERIFY(QDir().rmdir(path));
}

QTEST_GUILESS_MAIN(TestHandOffChannel)
#include "tst_handoffchannel.moc"
