#include "app/ApplicationState.h"
#include "engine/MediaPlayer.h"
#include "playback/PlayLogic.h"
#include "support/FlacFixture.h"
#include "support/RecordingBar.h"
#include "support/VlcPluginKeeper.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The controller over the real libvlc engine, on real FLAC files, driven by the same 260 ms
// poll as in the program.
class TestPlayChain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsTheFolderThroughAndStops();
    void previousAndNextWalkTheFolder();
    void brokenFilesAreSurvived();

private:
    QString track(const QString &name) const { return dir.filePath(name); }
    void load(const QString &path);
    bool waitForPlaying(qint64 minTime = 1);

    QTemporaryDir dir;
    std::unique_ptr<PlayLogic> logic;
    RecordingBar bar;
    QTimer ticker;
};

void TestPlayChain::initTestCase()
{
    keepVlcPluginsLoaded();
    QVERIFY(dir.isValid());
    QVERIFY(FlacFixture::write(track(u"a.flac"_s), 1.2, 440));
    QVERIFY(FlacFixture::write(track(u"b.flac"_s), 1.2, 550));
    QVERIFY(FlacFixture::write(track(u"c.flac"_s), 1.2, 660));
    QObject::connect(&ticker, &QTimer::timeout, this, [this] {
        if (logic)
            logic->timerProc();
    });
    ticker.setInterval(260);
}

void TestPlayChain::init()
{
    bar = RecordingBar();
    logic = std::make_unique<PlayLogic>();
    appState.playLogic = logic.get();
    appState.playBar = &bar;
    ticker.start();
}

void TestPlayChain::cleanup()
{
    ticker.stop();
    if (logic)
        logic->stop();
    appState = ApplicationState();
    logic.reset();
    QFile::remove(track(u"broken.flac"_s));
    QFile::remove(track(u"empty.flac"_s));
}

void TestPlayChain::load(const QString &path)
{
    QVERIFY(logic->playList.isSupported(path));
    QVERIFY(logic->openFile(path));
    logic->play();
    logic->playList.scanFolder(path);
}

bool TestPlayChain::waitForPlaying(qint64 minTime)
{
    return QTest::qWaitFor(
        [this, minTime] {
            return logic->player && logic->player->getState() == EngineState::Playing &&
                   logic->player->getTime() >= minTime;
        },
        10000);
}

void TestPlayChain::playsTheFolderThroughAndStops()
{
    QStringList played;
    auto note = [&] {
        if (played.isEmpty() || played.last() != logic->currentName)
            played << logic->currentName;
    };
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, note);
    watcher.start(20);

    load(track(u"a.flac"_s));
    QCOMPARE(logic->playList.count(), 3);
    QVERIFY(waitForPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(played.size() == 3 &&
                                 logic->player->getState() != EngineState::Playing &&
                                 logic->player->getState() != EngineState::Ended,
                             20000);
    QTest::qWait(600); // it stays stopped after the last file
    QCOMPARE(played, (QStringList{u"a.flac"_s, u"b.flac"_s, u"c.flac"_s}));
    QCOMPARE(logic->player->getState(), EngineState::Stopped);
    QCOMPARE(logic->playList.currentIndex(), 2);

    // The events reached the bar: three starts, the time running, the stops.
    QVERIFY(bar.calls.count(u"refreshButtons"_s) >= 6);
    QVERIFY(bar.calls.count(u"updateProgress"_s) >= 3);
    QCOMPARE(bar.threads, QSet<QThread *>{QThread::currentThread()});
}

void TestPlayChain::previousAndNextWalkTheFolder()
{
    load(track(u"b.flac"_s));
    QVERIFY(waitForPlaying());
    logic->skip(+1);
    QCOMPARE(logic->currentName, u"c.flac"_s);
    QVERIFY(waitForPlaying());
    logic->skip(+1); // wraps
    QCOMPARE(logic->currentName, u"a.flac"_s);
    QVERIFY(waitForPlaying());
    logic->skip(-1); // wraps back
    QCOMPARE(logic->currentName, u"c.flac"_s);
    QVERIFY(waitForPlaying());

    logic->pause();
    QCOMPARE(logic->player->getState(), EngineState::Paused);
    logic->play();
    QVERIFY(waitForPlaying());
    logic->stop();
    QVERIFY(!logic->isPlaying());
    QCOMPARE(bar.calls.last(), u"reset"_s);
}

void TestPlayChain::brokenFilesAreSurvived()
{
    {
        QFile broken(track(u"broken.flac"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) ^ (i >> 3));
        broken.write(noise);
    }
    QFile(track(u"empty.flac"_s)).open(QIODevice::WriteOnly);

    // The engine gives up on a file that is not FLAC inside, reports its end, and the
    // folder goes on with the next file (the list is a, b, broken, c, empty).
    load(track(u"broken.flac"_s));
    QCOMPARE(logic->playList.count(), 5);
    QTRY_COMPARE_WITH_TIMEOUT(logic->currentName, u"c.flac"_s, 10000);
    QVERIFY(waitForPlaying());
    // An empty last file ends the folder: playback stops and stays stopped.
    load(track(u"empty.flac"_s));
    QTRY_VERIFY_WITH_TIMEOUT(logic->player->getState() == EngineState::Stopped, 10000);
    QTest::qWait(600);
    QCOMPARE(logic->currentName, u"empty.flac"_s);
    QCOMPARE(logic->player->getState(), EngineState::Stopped);
    // The program goes on: a good file still plays afterwards.
    load(track(u"a.flac"_s));
    QVERIFY(waitForPlaying());
}

QTEST_GUILESS_MAIN(TestPlayChain)
#include "tst_playchain.moc"
