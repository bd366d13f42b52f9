#include "playback/PlayLogic.h"

#include "app/ApplicationState.h"
#include "engine/VlcPlayer.h"
#include "platform/Log.h"
#include "playback/PlayBarView.h"
#include "playback/PlayWndView.h"

#include <QCoreApplication>
#include <QThread>

namespace {

constexpr qint64 kSeekStepMs = 5000;
constexpr int kWaitStepMs = 100;
// A hung engine must not freeze the program: the waits of pause and stop give up here.
constexpr int kWaitLimitMs = 5000;

// While a view does not exist yet (or any more), its part of a command is skipped.
bool openPane(int type)
{
    return appState.playWnd == nullptr || appState.playWnd->open(type);
}

void showVideo(bool show)
{
    if (appState.playWnd)
        appState.playWnd->showVideo(show);
}

quintptr videoWindow()
{
    return appState.playWnd ? appState.playWnd->videoWindow() : 0;
}

template<typename Call>
void onBar(Call call)
{
    if (appState.playBar)
        call(*appState.playBar);
}

bool playingOrPaused(MediaPlayer &player)
{
    const int state = player.getState();
    return state == EngineState::Playing || state == EngineState::Paused;
}

} // namespace

int engineTypeForPath(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot + 1 == path.size())
        return EngineType::Vlc;
    const QString ext = asciiLower(QStringView(path).mid(dot + 1));
    if (ext == u"swf" || ext == u"fla")
        return EngineType::Flash;
    return EngineType::Vlc;
}

PlayLogic::PlayLogic() = default;

PlayLogic::~PlayLogic()
{
    if (player)
        player->release();
}

bool PlayLogic::isPlaying() const
{
    return player && player->isPlaying();
}

bool PlayLogic::openFile(const QString &path)
{
    const int type = engineTypeForPath(path);
    if (!openPane(type))
        return false;
    if (!createMediaPlayer(type) || !player)
        return false;
    if (!player->open(path))
        return false;
    setCurrentFile(path);
    engineType = type;
    return true;
}

void PlayLogic::play()
{
    if (!player && (currentPath.isEmpty() || !openFile(currentPath))) {
        stop();
        return;
    }
    if (player->getState() == EngineState::Playing)
        return;
    player->play();
    // Engine events look again once the tracks are known (syncVideoVisibility).
    showVideo(player->hasVideo());
    applyVolume();
}

void PlayLogic::pause()
{
    if (!isPlaying())
        return;
    player->pause();
    waitWhilePlaying("pause");
}

void PlayLogic::stop()
{
    if (player) {
        player->stop();
        waitWhilePlaying("stop");
    }
    onBar([](PlayBarView &bar) { bar.reset(); });
}

void PlayLogic::waitWhilePlaying(const char *operation)
{
    for (int waited = 0; isPlaying(); waited += kWaitStepMs) {
        if (waited >= kWaitLimitMs) {
            qCWarning(lcSonexa, "PlayLogic: the engine still plays %d ms after %s; giving up",
                      kWaitLimitMs, operation);
            return;
        }
        QThread::msleep(kWaitStepMs);
    }
}

void PlayLogic::skip(int direction)
{
    if (!canSkip())
        return;
    // Right after playback has started the engine reports time 0: such a skip is ignored.
    if (player && player->getState() == EngineState::Playing && player->getTime() == 0)
        return;
    stop();

    int index = playList.currentIndex() + direction;
    int count = playList.count();
    while (count > 0) {
        if (index < 0)
            index = count - 1;
        else if (index >= count)
            index = 0;
        const QString path = playList.pathAt(index);
        const int type = engineTypeForPath(path);
        if (openPane(type) && createMediaPlayer(type) && player && player->open(path)) {
            setCurrentFile(path);
            engineType = type;
            playList.setCurrent(index);
            play();
            return;
        }
        // Going forward, the next entry moves into this index.
        playList.removeAt(index);
        if (direction < 0)
            --index;
        count = playList.count();
    }
}

bool PlayLogic::canSkip() const
{
    return playList.count() >= 2 && playList.currentIndex() >= 0;
}

bool PlayLogic::seekStep(int direction)
{
    if (!player || !playingOrPaused(*player))
        return false;
    const qint64 t = player->getTime();
    if (t == 0)
        return false;
    const qint64 length = player->getLength();
    qint64 target = 0;
    if (direction >= 0)
        target = t + kSeekStepMs >= length ? length : t + kSeekStepMs;
    else
        target = t > kSeekStepMs ? t - kSeekStepMs : 0;
    player->setTime(target);
    return true;
}

void PlayLogic::toggleMute()
{
    muted = !muted;
    if (player && playingOrPaused(*player))
        applyVolume();
    onBar([](PlayBarView &bar) { bar.updateVolume(); });
}

void PlayLogic::setVolume(int percent)
{
    volume = qBound(0, percent, 100);
    muted = false;
    if (player && playingOrPaused(*player))
        applyVolume();
    onBar([](PlayBarView &bar) { bar.updateVolume(); });
}

void PlayLogic::applyVolume()
{
    if (!player)
        return;
    if (player->type() == EngineType::Vlc) {
        if (player->getMute() != muted)
            player->setMute();
        if (muted)
            return;
    } else if (muted) {
        // Engines without a mute switch are silenced through their volume.
        if (player->getVolume() != 0)
            player->setVolume(0);
        return;
    }
    if (player->getVolume() != volume)
        player->setVolume(volume);
}

void PlayLogic::timerProc()
{
    if (!player)
        return;
    switch (player->getState()) {
    case EngineState::Playing:
        // A new audio stream starts at whatever level the sound server restores.
        applyVolume();
        break;
    case EngineState::Ended:
        qCDebug(lcSonexa, "Playlogic: timerProc: Ended");
        stop();
        if (canSkip() && playList.currentIndex() < playList.count() - 1)
            skip(+1);
        break;
    default:
        break;
    }
}

void PlayLogic::handleProc(const libvlc_event_t *event, void *)
{
    // libvlc's event thread: libvlc is not re-entrant here, and the controller and the views
    // belong to the GUI thread. Copy the event type and queue the work behind everything the
    // GUI thread has pending; it finds the controller of that moment, or none after exit.
    auto *app = QCoreApplication::instance();
    if (!app)
        return;
    const int type = event->type;
    QMetaObject::invokeMethod(
        app,
        [type] {
            if (appState.playLogic)
                appState.playLogic->handleEvent(type);
        },
        Qt::QueuedConnection);
}

void PlayLogic::handleEvent(int eventType)
{
    switch (eventType) {
    case libvlc_MediaPlayerPlaying:
        qCDebug(lcSonexa, "handleProc: libvlc_MediaPlayerPlaying");
        syncVideoVisibility();
        applyVolume();
        onBar([](PlayBarView &bar) { bar.refreshButtons(); });
        break;
    case libvlc_MediaPlayerPaused:
        qCDebug(lcSonexa, "handleProc: libvlc_MediaPlayerPaused");
        onBar([](PlayBarView &bar) { bar.refreshButtons(); });
        break;
    case libvlc_MediaPlayerStopped:
        qCDebug(lcSonexa, "handleProc: libvlc_MediaPlayerStopped");
        onBar([](PlayBarView &bar) { bar.refreshButtons(); });
        break;
    case libvlc_MediaPlayerTimeChanged:
        syncVideoVisibility();
        onBar([](PlayBarView &bar) { bar.updateProgress(); });
        break;
    default:
        // The end of a file is handled by timerProc when it sees the Ended state.
        break;
    }
}

bool PlayLogic::createMediaPlayer(int type)
{
    if (type == engineType && player)
        return true;
    if (player) {
        player->release();
        player.reset();
    }
    player = newMediaPlayer(type);
    if (!player)
        return false;
    if (!player->create(appState.mainWindow)) {
        player->release();
        player.reset();
        return false;
    }
    player->setWindow(videoWindow());
    if (auto *vlc = dynamic_cast<VlcPlayer *>(player.get())) {
        vlc->setEventCallback(&PlayLogic::handleProc);
        vlc->attachEvents();
    }
    return true;
}

std::unique_ptr<MediaPlayer> PlayLogic::newMediaPlayer(int type)
{
    if (type == EngineType::Vlc)
        return std::make_unique<VlcPlayer>();
    return nullptr;
}

void PlayLogic::syncVideoVisibility()
{
    if (!player || !appState.playWnd || appState.playWnd->videoWindow() == 0)
        return;
    // This never hides a video window that is already shown.
    if (appState.playWnd->isVideoVisible())
        return;
    appState.playWnd->showVideo(player->hasVideo());
}

void PlayLogic::setCurrentFile(const QString &path)
{
    currentPath = path;
    currentName = fileNameOf(path);
}
