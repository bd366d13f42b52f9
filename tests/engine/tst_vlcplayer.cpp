#include "engine/VlcPlayer.h"
#include "support/FlacFixture.h"
#include "support/VlcPluginKeeper.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

std::atomic<int> eventsSeen{0};
std::atomic<int> playingSeen{0};

void countEvent(const libvlc_event_t *event, void *userData)
{
    Q_ASSERT(userData == nullptr);
    ++eventsSeen;
    if (event->type == libvlc_MediaPlayerPlaying)
        ++playingSeen;
}

// The engine with its cache and its stop calls in view.
class ProbedPlayer : public VlcPlayer {
public:
    qint64 cached() const { return cachedLength; }
    void stop() override
    {
        ++stops;
        VlcPlayer::stop();
    }
    int stops = 0;
};

bool waitForState(MediaPlayer &player, int state)
{
    return QTest::qWaitFor([&] { return player.getState() == state; }, 10000);
}

} // namespace

class TestVlcPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void withoutPlayerEverythingIsNeutral();
    void playsLongNonAsciiPath();
    void lengthIsCachedUntilStop();
    void openStopsOnlyWhilePlaying();
    void muteFlips();
    void eventsStopAtRelease();

private:
    QTemporaryDir dir;
    QString tone;
};

void TestVlcPlayer::initTestCase()
{
    keepVlcPluginsLoaded();
    QVERIFY(dir.isValid());
    tone = dir.filePath(u"tone.flac"_s);
    QVERIFY(FlacFixture::write(tone, 3));
}

void TestVlcPlayer::withoutPlayerEverythingIsNeutral()
{
    ProbedPlayer player;
    QCOMPARE(player.type(), 1);
    QVERIFY(!player.open(tone));
    player.play();
    QVERIFY(!player.isPlaying());
    player.pause();
    player.stop();
    QCOMPARE(player.cached(), 0);
    QCOMPARE(player.getTime(), 0);
    QCOMPARE(player.getLength(), 0);
    player.setTime(1000);
    QCOMPARE(player.getVolume(), 0);
    QVERIFY(!player.setVolume(50));
    QCOMPARE(player.getState(), 0);
    player.setWindow(0);
    QVERIFY(!player.getMute());
    player.setMute();
    QVERIFY(!player.hasVideo());
    player.release(); // nothing held: nothing to release
}

void TestVlcPlayer::playsLongNonAsciiPath()
{
    // Folder names of a music library: long, and far from ASCII.
    QString folder = dir.path();
    const QString piece =
        u"Symphonie n\u00b0 9 \u2014 \u0421\u0438\u043c\u0444\u043e\u043d\u0438\u044f \u4ea4\u97ff\u66f2"_s;
    while (QFile::encodeName(folder).size() < 300)
        folder += u'/' + piece;
    const QString path = folder + u"/\u00e9t\u00e9 \u266b.flac"_s;
    QVERIFY(QFile::encodeName(path).size() > 259);
    QVERIFY(FlacFixture::write(path, 2));

    VlcPlayer player;
    QVERIFY(player.create(nullptr));
    QVERIFY(player.open(path));
    player.play();
    QVERIFY(waitForState(player, libvlc_Playing));
    QVERIFY(QTest::qWaitFor([&] { return player.getTime() > 0; }, 5000));
    QVERIFY(!player.hasVideo()); // a FLAC file has no video track
    player.stop();
    QVERIFY(!player.isPlaying());
}

void TestVlcPlayer::lengthIsCachedUntilStop()
{
    ProbedPlayer player;
    QVERIFY(player.create(nullptr));
    QVERIFY(player.open(tone));
    QVERIFY(player.getLength() <= 0); // not known before the file is open
    QCOMPARE(player.cached(), player.getLength());
    player.play();
    QVERIFY(waitForState(player, libvlc_Playing));
    QVERIFY(QTest::qWaitFor([&] { return player.getLength() > 0; }, 5000));
    QVERIFY(qAbs(player.cached() - 3000) < 100);
    player.stop();
    QCOMPARE(player.cached(), 0);
}

void TestVlcPlayer::openStopsOnlyWhilePlaying()
{
    ProbedPlayer player;
    QVERIFY(player.create(nullptr));
    QVERIFY(player.open(tone));
    QCOMPARE(player.stops, 0);
    player.play();
    QVERIFY(waitForState(player, libvlc_Playing));
    player.pause();
    QVERIFY(waitForState(player, libvlc_Paused));
    QVERIFY(player.open(tone)); // paused: no stop
    QCOMPARE(player.stops, 0);
    player.play();
    QVERIFY(waitForState(player, libvlc_Playing));
    QVERIFY(player.open(tone));
    QCOMPARE(player.stops, 1);
    QVERIFY(!player.isPlaying());
}

void TestVlcPlayer::muteFlips()
{
    VlcPlayer player;
    QVERIFY(player.create(nullptr));
    QVERIFY(player.open(tone));
    player.play();
    QVERIFY(waitForState(player, libvlc_Playing));
    if (!QTest::qWaitFor([&] { return player.getVolume() >= 0; }, 5000))
        QSKIP("no audio output: start a sound server (scripts/test starts one)");
    const bool before = player.getMute();
    player.setMute();
    QTRY_COMPARE(player.getMute(), !before);
    player.setMute();
    QTRY_COMPARE(player.getMute(), before);
    QVERIFY(player.setVolume(35));
    QTRY_COMPARE(player.getVolume(), 35);
    player.stop();
}

void TestVlcPlayer::eventsStopAtRelease()
{
    // Repeated, so the sanitizers see releases racing events in flight.
    for (int round = 0; round < 4; ++round) {
        eventsSeen = 0;
        playingSeen = 0;
        auto player = std::make_unique<VlcPlayer>();
        QVERIFY(player->create(nullptr));
        player->setEventCallback(countEvent);
        player->attachEvents();
        QVERIFY(player->open(tone));
        player->play();
        QVERIFY(QTest::qWaitFor([] { return playingSeen > 0; }, 10000));
        QTest::qWait(50 * round);
        player->release();
        const int seen = eventsSeen;
        QVERIFY(seen >= 1);
        QTest::qWait(200);
        QCOMPARE(eventsSeen.load(), seen);
    }
}

QTEST_GUILESS_MAIN(TestVlcPlayer)
#include "tst_vlcplayer.moc"
