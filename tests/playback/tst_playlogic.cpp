#include "app/ApplicationState.h"
#include "playback/PlayBarView.h"
#include "playback/PlayLogic.h"
#include "playback/PlayWndView.h"
#include "support/FakeMediaPlayer.h"
#include "support/RecordingBar.h"
#include "support/RecordingPane.h"
#include "support/ScriptedPlayLogic.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <vlc/vlc.h>

#include <thread>

using namespace Qt::StringLiterals;

namespace {

libvlc_event_t engineEvent(libvlc_event_e type)
{
    libvlc_event_t event{};
    event.type = type;
    return event;
}

} // namespace

class TestPlayLogic : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void engineTypeForPath_data();
    void engineTypeForPath();
    void seekStep_data();
    void seekStep();
    void setVolumeClampsAndUnmutes_data();
    void setVolumeClampsAndUnmutes();
    void applyVolume_data();
    void applyVolume();
    void muteWithoutVolumeSwitch();
    void muteWhileStoppedReachesEngineOnPlay();
    void skip_data();
    void skip();
    void skipRightAfterStartIsIgnored();
    void noCurrentEntryMeansNoSkip();
    void endOfFile_data();
    void endOfFile();
    void playRules();
    void failedOpens();
    void hungEngineWaitsAreBounded();
    void eventsReachGuiThreadInOrder();
    void eventsAfterTeardownAreDropped();

private:
    void makeAlbum(int files);
    QString track(int index) const { return album->filePath(u"%1.flac"_s.arg(index)); }
    void load(const QString &path);

    std::unique_ptr<QTemporaryDir> album;
    std::unique_ptr<ScriptedPlayLogic> logic;
    RecordingBar bar;
    RecordingPane pane;
};

void TestPlayLogic::init()
{
    bar = RecordingBar();
    pane = RecordingPane();
    logic = std::make_unique<ScriptedPlayLogic>();
    appState.playLogic = logic.get();
    appState.playBar = &bar;
    appState.playWnd = &pane;
}

void TestPlayLogic::cleanup()
{
    appState = ApplicationState();
    logic.reset();
    album.reset();
}

void TestPlayLogic::makeAlbum(int files)
{
    album = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < files; ++i)
        QFile(track(i)).open(QIODevice::WriteOnly);
}

// What opening a file from the window does: open, play, then list the folder.
void TestPlayLogic::load(const QString &path)
{
    QVERIFY(logic->openFile(path));
    logic->play();
    logic->playList.scanFolder(path);
    logic->fake()->time = 1000;
}

void TestPlayLogic::engineTypeForPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("type");
    QTest::newRow("flac") << u"/m/a.flac"_s << 1;
    QTest::newRow("Flac") << u"/m/a.Flac"_s << 1;
    QTest::newRow("SWF") << u"/m/a.SWF"_s << 2;
    QTest::newRow("fla") << u"/m/a.fla"_s << 2;
    QTest::newRow("swf then flac") << u"/m/a.swf.flac"_s << 1;
    QTest::newRow("no dot") << u"/m/a"_s << 1;
    QTest::newRow("trailing dot") << u"/m/a."_s << 1;
    QTest::newRow("dot in folder") << u"/m/x.swf/track"_s << 1;
}

void TestPlayLogic::engineTypeForPath()
{
    QFETCH(QString, path);
    QFETCH(int, type);
    QCOMPARE(::engineTypeForPath(path), type);
}

void TestPlayLogic::seekStep_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("made");
    QTest::addColumn<qint64>("target");
    // The media is 60 s long.
    QTest::newRow("forward") << 3 << 10000LL << 1 << true << 15000LL;
    QTest::newRow("forward 3 s before the end") << 3 << 57000LL << 1 << true << 60000LL;
    QTest::newRow("forward 5 s before the end") << 3 << 55000LL << 1 << true << 60000LL;
    QTest::newRow("forward 5.001 s before the end") << 3 << 54999LL << 1 << true << 59999LL;
    QTest::newRow("forward while paused") << 4 << 10000LL << 1 << true << 15000LL;
    QTest::newRow("back") << 3 << 12000LL << -1 << true << 7000LL;
    QTest::newRow("back from 5.001 s") << 3 << 5001LL << -1 << true << 1LL;
    QTest::newRow("back from 5 s") << 3 << 5000LL << -1 << true << 0LL;
    QTest::newRow("back from 4 s") << 4 << 4000LL << -1 << true << 0LL;
    QTest::newRow("at time 0") << 3 << 0LL << 1 << false << -1LL;
    QTest::newRow("stopped") << 5 << 10000LL << 1 << false << -1LL;
    QTest::newRow("ended") << 6 << 10000LL << -1 << false << -1LL;
}

void TestPlayLogic::seekStep()
{
    QFETCH(int, state);
    QFETCH(qint64, time);
    QFETCH(int, direction);
    QFETCH(bool, made);
    QFETCH(qint64, target);
    QVERIFY(!logic->seekStep(direction)); // no engine yet
    QVERIFY(logic->createMediaPlayer(EngineType::Vlc));
    logic->fake()->state = state;
    logic->fake()->time = time;
    logic->fake()->length = 60000;
    QCOMPARE(logic->seekStep(direction), made);
    QCOMPARE(logic->fake()->seeks, made ? QList<qint64>{target} : QList<qint64>{});
}

void TestPlayLogic::setVolumeClampsAndUnmutes_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("stored");
    QTest::newRow("above") << 150 << 100;
    QTest::newRow("below") << -5 << 0;
    QTest::newRow("inside") << 55 << 55;
    QTest::newRow("edge") << 100 << 100;
}

void TestPlayLogic::setVolumeClampsAndUnmutes()
{
    QFETCH(int, percent);
    QFETCH(int, stored);
    QVERIFY(logic->createMediaPlayer(EngineType::Vlc));
    logic->fake()->state = EngineState::Paused;
    logic->muted = true;
    logic->fake()->engineMute = true;
    logic->setVolume(percent);
    QCOMPARE(logic->volume, stored);
    QVERIFY(!logic->muted);
    QVERIFY(!logic->fake()->engineMute);
    QCOMPARE(logic->fake()->engineVolume, stored);
    QCOMPARE(bar.calls, QStringList{u"updateVolume"_s});
}

void TestPlayLogic::applyVolume_data()
{
    QTest::addColumn<bool>("muted");
    QTest::addColumn<bool>("engineMute");
    QTest::addColumn<int>("engineVolume");
    QTest::addColumn<int>("muteFlips");
    QTest::addColumn<int>("volumeWrites");
    // The user's volume is 70.
    QTest::newRow("in step") << false << false << 70 << 0 << 0;
    QTest::newRow("volume differs") << false << false << 100 << 0 << 1;
    QTest::newRow("engine muted") << false << true << 70 << 1 << 0;
    QTest::newRow("user muted") << true << false << 100 << 1 << 0;
    QTest::newRow("both muted") << true << true << 100 << 0 << 0;
}

void TestPlayLogic::applyVolume()
{
    QFETCH(bool, muted);
    QFETCH(bool, engineMute);
    QFETCH(int, engineVolume);
    QFETCH(int, muteFlips);
    QFETCH(int, volumeWrites);
    logic->applyVolume(); // no engine: nothing to do
    QVERIFY(logic->createMediaPlayer(EngineType::Vlc));
    logic->volume = 70;
    logic->muted = muted;
    logic->fake()->engineMute = engineMute;
    logic->fake()->engineVolume = engineVolume;
    logic->applyVolume();
    QCOMPARE(logic->fake()->muteFlips, muteFlips);
    QCOMPARE(logic->fake()->volumeWrites, volumeWrites);
    QCOMPARE(logic->fake()->engineMute, muted);
    // While muted the engine keeps its level, so unmuting brings it back.
    QCOMPARE(logic->fake()->engineVolume, muted ? engineVolume : 70);
}

void TestPlayLogic::muteWithoutVolumeSwitch()
{
    logic->fakeType = 7; // an engine without a mute switch is silenced through its volume
    QVERIFY(logic->createMediaPlayer(EngineType::Vlc));
    logic->fake()->state = EngineState::Playing;
    logic->volume = 40;
    logic->toggleMute();
    QCOMPARE(logic->fake()->engineVolume, 0);
    QCOMPARE(logic->fake()->muteFlips, 0);
    logic->toggleMute();
    QCOMPARE(logic->fake()->engineVolume, 40);
}

void TestPlayLogic::muteWhileStoppedReachesEngineOnPlay()
{
    makeAlbum(1);
    QVERIFY(logic->openFile(track(0)));
    logic->toggleMute();
    QVERIFY(logic->muted);
    QCOMPARE(logic->fake()->muteFlips, 0);
    QCOMPARE(bar.calls, QStringList{u"updateVolume"_s});
    logic->play();
    QVERIFY(logic->fake()->engineMute);
}

void TestPlayLogic::skip_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("unopenable");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("played"); // file that plays afterwards, -1 for none
    QTest::addColumn<int>("remaining");

    QTest::newRow("next") << 3 << 1 << QList<int>{} << 1 << 2 << 3;
    QTest::newRow("previous") << 3 << 1 << QList<int>{} << -1 << 0 << 3;
    QTest::newRow("next on the last wraps") << 3 << 2 << QList<int>{} << 1 << 0 << 3;
    QTest::newRow("previous on the first wraps") << 3 << 0 << QList<int>{} << -1 << 2 << 3;
    QTest::newRow("next passes a broken file") << 4 << 0 << QList<int>{1} << 1 << 2 << 3;
    QTest::newRow("previous passes a broken file") << 4 << 2 << QList<int>{1} << -1 << 0 << 3;
    QTest::newRow("previous passes broken files and wraps")
        << 4 << 1 << QList<int>{0, 3} << -1 << 2 << 2;
    QTest::newRow("all others broken: the current one again")
        << 3 << 0 << QList<int>{1, 2} << 1 << 0 << 1;
    QTest::newRow("everything broken") << 3 << 0 << QList<int>{0, 1, 2} << 1 << -1 << 0;
}

void TestPlayLogic::skip()
{
    QFETCH(int, files);
    QFETCH(int, current);
    QFETCH(QList<int>, unopenable);
    QFETCH(int, direction);
    QFETCH(int, played);
    QFETCH(int, remaining);
    makeAlbum(files);
    load(track(current));
    for (const int i : unopenable)
        logic->fake()->unopenable << track(i);

    logic->skip(direction);
    QCOMPARE(logic->playList.count(), remaining);
    if (played < 0) {
        QCOMPARE(logic->playList.currentIndex(), -1);
        QCOMPARE(logic->fake()->state, EngineState::Stopped);
        QCOMPARE(logic->currentPath, track(current));
    } else {
        QCOMPARE(logic->playList.pathAt(logic->playList.currentIndex()), track(played));
        QCOMPARE(logic->currentPath, track(played));
        QCOMPARE(logic->currentName, u"%1.flac"_s.arg(played));
        QCOMPARE(logic->fake()->state, EngineState::Playing);
    }
    QCOMPARE(logic->enginesMade, 1); // the engine is kept from file to file
}

void TestPlayLogic::skipRightAfterStartIsIgnored()
{
    makeAlbum(3);
    load(track(0));
    logic->fake()->time = 0;
    logic->skip(1);
    QCOMPARE(logic->currentPath, track(0));
    QCOMPARE(logic->fake()->stops, 0);
    logic->fake()->time = 1;
    logic->skip(1);
    QCOMPARE(logic->currentPath, track(1));
}

void TestPlayLogic::noCurrentEntryMeansNoSkip()
{
    makeAlbum(3);
    // Spelled otherwise than the folder listing, the opened file is no entry of the list.
    load(album->path() + u"/1.FLAC"_s);
    QCOMPARE(logic->playList.count(), 3);
    QVERIFY(!logic->canSkip());
    logic->skip(1);
    logic->skip(-1);
    QCOMPARE(logic->fake()->stops, 0);
    logic->fake()->state = EngineState::Ended;
    logic->timerProc();
    QCOMPARE(logic->fake()->stops, 1);
    QCOMPARE(logic->fake()->opened.size(), 1);
}

void TestPlayLogic::endOfFile_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("unopenable");
    QTest::addColumn<int>("played");

    QTest::newRow("advances") << 3 << 0 << QList<int>{} << 1;
    QTest::newRow("last file stops") << 3 << 2 << QList<int>{} << -1;
    QTest::newRow("single file stops") << 1 << 0 << QList<int>{} << -1;
    QTest::newRow("broken last file wraps to the first") << 3 << 1 << QList<int>{2} << 0;
}

void TestPlayLogic::endOfFile()
{
    QFETCH(int, files);
    QFETCH(int, current);
    QFETCH(QList<int>, unopenable);
    QFETCH(int, played);
    makeAlbum(files);
    load(track(current));
    for (const int i : unopenable)
        logic->fake()->unopenable << track(i);

    logic->fake()->state = EngineState::Ended;
    QTest::ignoreMessage(QtDebugMsg, "Playlogic: timerProc: Ended");
    logic->timerProc();
    QVERIFY(logic->fake()->stops >= 1);
    if (played < 0) {
        QCOMPARE(logic->fake()->state, EngineState::Stopped);
        QCOMPARE(logic->currentPath, track(current));
        logic->timerProc(); // stays stopped
        QCOMPARE(logic->fake()->opened.size(), 1);
    } else {
        QCOMPARE(logic->fake()->state, EngineState::Playing);
        QCOMPARE(logic->currentPath, track(played));
    }
}

void TestPlayLogic::playRules()
{
    logic->play(); // nothing loaded: the bar is only reset
    QVERIFY(!logic->player);
    QCOMPARE(bar.calls, QStringList{u"reset"_s});

    makeAlbum(1);
    QVERIFY(logic->openFile(track(0)));
    logic->play();
    QCOMPARE(logic->fake()->state, EngineState::Playing);
    QCOMPARE(pane.shown, QList<bool>{true});
    logic->play(); // already playing: nothing
    QCOMPARE(pane.shown.size(), 1);
    logic->pause();
    QCOMPARE(logic->fake()->state, EngineState::Paused);
    logic->pause(); // not playing: nothing
    QCOMPARE(logic->fake()->state, EngineState::Paused);
    logic->play(); // resumes
    QCOMPARE(logic->fake()->state, EngineState::Playing);

    // With the engine gone, play opens the current file again.
    logic->player.reset();
    logic->engineType = EngineType::None;
    logic->play();
    QCOMPARE(logic->fake()->opened, QStringList{track(0)});
    QCOMPARE(logic->fake()->state, EngineState::Playing);
}

void TestPlayLogic::failedOpens()
{
    makeAlbum(2);
    const QString swf = album->filePath(u"clip.SWF"_s);
    QVERIFY(logic->openFile(track(0)));
    logic->fake()->unopenable << track(1);
    QVERIFY(!logic->openFile(track(1)));
    QCOMPARE(logic->currentPath, track(0)); // a failed open keeps the current file
    QVERIFY(!logic->openFile(swf));         // the pane prepares no window for that type
    QVERIFY(logic->player);

    // Without a pane the open goes on to look for an engine of that type; there is none,
    // and the engine of the other type is gone.
    appState.playWnd = nullptr;
    QVERIFY(!logic->openFile(swf));
    QVERIFY(!logic->player);
    QCOMPARE(logic->currentPath, track(0));
    QCOMPARE(logic->engineType, EngineType::Vlc);

    logic->createSucceeds = false;
    QVERIFY(!logic->openFile(track(0)));
    QVERIFY(!logic->player);
    logic->createSucceeds = true;
    QVERIFY(logic->openFile(track(0)));
    QCOMPARE(logic->enginesMade, 3);

    appState.playWnd = &pane;
    pane.accepts = false;
    QVERIFY(!logic->openFile(track(0)));
}

void TestPlayLogic::hungEngineWaitsAreBounded()
{
    makeAlbum(1);
    load(track(0));
    logic->fake()->hung = true;
    QElapsedTimer clock;
    clock.start();
    QTest::ignoreMessage(QtWarningMsg,
                         "PlayLogic: the engine still plays 5000 ms after pause; giving up");
    logic->pause();
    QTest::ignoreMessage(QtWarningMsg,
                         "PlayLogic: the engine still plays 5000 ms after stop; giving up");
    logic->stop();
    QVERIFY2(clock.elapsed() >= 10000 && clock.elapsed() < 13000,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(bar.calls.last(), u"reset"_s);
}

void TestPlayLogic::eventsReachGuiThreadInOrder()
{
    makeAlbum(1);
    QVERIFY(logic->openFile(track(0)));
    constexpr int kTimeEvents = 200;
    std::thread engineThread([] {
        auto send = [](libvlc_event_e type) {
            const libvlc_event_t event = engineEvent(type);
            PlayLogic::handleProc(&event, nullptr);
        };
        send(libvlc_MediaPlayerPlaying);
        for (int i = 0; i < kTimeEvents; ++i)
            send(libvlc_MediaPlayerTimeChanged);
        send(libvlc_MediaPlayerPaused);
        send(libvlc_MediaPlayerEndReached);
        send(libvlc_MediaPlayerStopped);
    });
    engineThread.join();
    QVERIFY(bar.calls.isEmpty()); // nothing ran on the engine's thread

    QTest::ignoreMessage(QtDebugMsg, "handleProc: libvlc_MediaPlayerPlaying");
    QTest::ignoreMessage(QtDebugMsg, "handleProc: libvlc_MediaPlayerPaused");
    QTest::ignoreMessage(QtDebugMsg, "handleProc: libvlc_MediaPlayerStopped");
    QTRY_COMPARE(bar.calls.size(), kTimeEvents + 3);
    QStringList expected{u"refreshButtons"_s};
    for (int i = 0; i < kTimeEvents; ++i)
        expected << u"updateProgress"_s;
    expected << u"refreshButtons"_s << u"refreshButtons"_s;
    QCOMPARE(bar.calls, expected);
    QCOMPARE(bar.threads, QSet<QThread *>{QThread::currentThread()});
    QCOMPARE(pane.shown, QList<bool>{true}); // shown once, never hidden by an event
}

void TestPlayLogic::eventsAfterTeardownAreDropped()
{
    std::thread engineThread([] {
        const libvlc_event_t event = engineEvent(libvlc_MediaPlayerTimeChanged);
        for (int i = 0; i < 100; ++i)
            PlayLogic::handleProc(&event, nullptr);
    });
    engineThread.join();
    // The exit sequence clears the views and deletes the controller before the queue runs.
    appState.playBar = nullptr;
    appState.playWnd = nullptr;
    appState.playLogic = nullptr;
    logic.reset();
    QCoreApplication::processEvents();
    QVERIFY(bar.calls.isEmpty());
}

QTEST_GUILESS_MAIN(TestPlayLogic)
#include "tst_playlogic.moc"
