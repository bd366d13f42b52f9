#include "ui/views/PlayWnd.h"

#include "app/ApplicationState.h"
#include "engine/MediaPlayer.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "platform/InputClock.h"
#include "playback/PlayLogic.h"
#include "ui/views/PlayWndWidget.h"
#include "ui/widgets/Hyperlink.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>

#include <new>

using namespace Qt::StringLiterals;
using namespace CommandId;

namespace {

PlayWnd *thePane = nullptr;

struct MenuItem {
    int id; // 0: a separator
    const char16_t *text;
};

constexpr MenuItem kContextMenu[] = {
    {ID_OPEN, u"Open\tCtrl+O"},
    {0, nullptr},
    {ID_PLAY, u"Play"},
    {ID_PAUSE, u"Pause\tSpace"},
    {ID_STOP, u"Stop"},
    {ID_PREVIOUS, u"Previous\tPageUp"},
    {ID_NEXT, u"Next\tPageDown"},
    {0, nullptr},
    {ID_FULL_SCREEN, u"Full Screen\tF"},
    {ID_LEAVE_FULL_SCREEN, u"Leave Full Screen\tESC"},
    {0, nullptr},
    {ID_EXIT, u"E&xit"},
};

MediaPlayer *engine()
{
    return appState.playLogic ? appState.playLogic->player.get() : nullptr;
}

int engineState()
{
    MediaPlayer *player = engine();
    return player ? player->getState() : EngineState::None;
}

QAction *menuAction(const QMenu &menu, int id)
{
    const QList<QAction *> actions = menu.actions();
    for (QAction *action : actions) {
        if (!action->isSeparator() && action->data().toInt() == id)
            return action;
    }
    return nullptr;
}

void disableItem(const QMenu &menu, int id)
{
    if (QAction *action = menuAction(menu, id))
        action->setEnabled(false);
}

} // namespace

PlayWnd *PlayWnd::instance()
{
    if (!thePane)
        thePane = new (std::nothrow) PlayWnd;
    return thePane;
}

void PlayWnd::release()
{
    if (!thePane)
        return;
    // The controller must not reach a pane that is gone.
    if (appState.playWnd == thePane)
        appState.playWnd = nullptr;
    delete thePane;
    thePane = nullptr;
}

PlayWnd::~PlayWnd()
{
    destroyWindows();
}

bool PlayWnd::create(QWidget *parent)
{
    if (pane)
        return true;
    pane = new PlayWndWidget(*this, PlayWndWidget::Role::Pane, parent);
    pane->hide();
    QFont linkFont = pane->font();
    linkFont.setUnderline(true);
    link = createPoweredByLink(linkFont, pane);
    return true;
}

QWidget *PlayWnd::widget() const
{
    return pane;
}

bool PlayWnd::loadLogo(const QString &root)
{
    logo = loadPngResource(root, u"142"_s, pane ? pane->devicePixelRatioF() : 1.0);
    // Start the rest period afresh; a cursor hidden before is given back, not forgotten.
    showCursor();
    lastMoveTick = InputClock::tickCount();
    lastCursorPos = InputClock::cursorPos();
    if (pane)
        pane->update();
    return true;
}

bool PlayWnd::open(int engineType)
{
    const int current = appState.playLogic ? appState.playLogic->engineType : EngineType::None;
    if (engineType != current || !video) {
        destroyVideo();
        if (engineType == EngineType::Vlc && pane)
            video = new PlayWndWidget(*this, PlayWndWidget::Role::Video, pane);
        if (!video)
            return false;
    }
    fitVideo();
    video->hide();
    return true;
}

void PlayWnd::fitVideo()
{
    if (!pane)
        return;
    const int width = pane->width();
    const int height = pane->height();
    int linkHeight = 0;
    if (link) {
        link->move(width - link->width() - kLinkMargin, kLinkMargin);
        linkHeight = link->height();
    }
    // The video window reaches 5 pixels below the pane, which clips it.
    if (video)
        video->setGeometry(0, linkHeight + kVideoGap, width,
                           qMax(0, height - linkHeight - kLinkMargin));
}

void PlayWnd::showVideo(bool show)
{
    if (video)
        video->setVisible(show);
}

quintptr PlayWnd::videoWindow() const
{
    return video ? quintptr(video->winId()) : 0;
}

bool PlayWnd::isVideoVisible() const
{
    return video && !video->isHidden();
}

void PlayWnd::destroyVideo()
{
    // An engine of another kind may still hold the window; it then goes with the pane.
    MediaPlayer *player = engine();
    if (video && (!player || player->type() == EngineType::Vlc))
        delete video.data();
    video.clear();
}

void PlayWnd::destroyWindows()
{
    showCursor();
    delete link.data();
    delete video.data();
    delete pane.data();
}

void PlayWnd::paint(QPainter &painter, bool fromVideoWindow) const
{
    if (!pane)
        return;
    painter.fillRect(pane->rect(), Qt::black);
    const int state = engineState();
    const bool videoCovers =
        (state == EngineState::Playing || state == EngineState::Paused) && isVideoVisible();
    if (videoCovers || fromVideoWindow || !logo || logo->isNull())
        return;
    const QSize size = logo->deviceIndependentSize().toSize();
    const QPoint topLeft((pane->width() - size.width()) / 2, (pane->height() - size.height()) / 2);
    painter.drawImage(topLeft, *logo);
}

void PlayWnd::showContextMenu()
{
    // Without a parent, the menu cannot be deleted twice should the pane go while it runs.
    QMenu menu;
    buildContextMenu(menu);
    const QAction *chosen = menu.exec(QCursor::pos());
    if (chosen && chosen->data().toInt() > 0)
        postCommand(appState.mainWindow, chosen->data().toInt());
}

void PlayWnd::buildContextMenu(QMenu &menu)
{
    for (const MenuItem &item : kContextMenu) {
        if (item.id == 0)
            menu.addSeparator();
        else
            menu.addAction(QString::fromUtf16(item.text))->setData(item.id);
    }
    // Only the item that changes the current screen mode is offered.
    delete menuAction(menu, appState.fullScreen ? ID_FULL_SCREEN : ID_LEAVE_FULL_SCREEN);

    const PlayLogic *logic = appState.playLogic;
    if (logic && logic->isPlaying()) {
        disableItem(menu, ID_PLAY);
    } else {
        disableItem(menu, ID_PAUSE);
        if (engineState() != EngineState::Paused)
            disableItem(menu, ID_STOP);
        if (!logic || logic->playList.count() == 0)
            disableItem(menu, ID_PLAY);
    }
    if (!logic || !logic->canSkip()) {
        disableItem(menu, ID_PREVIOUS);
        disableItem(menu, ID_NEXT);
    }
}

void PlayWnd::autoHideCursor()
{
    const QPoint pos = InputClock::cursorPos();
    const QPoint moved = pos - lastCursorPos;
    if (qAbs(qint64(moved.x())) > kCursorJitter || qAbs(qint64(moved.y())) > kCursorJitter) {
        lastCursorPos = pos;
        lastMoveTick = InputClock::tickCount();
        showCursor();
        return;
    }
    if (engineState() != EngineState::Playing || !pane)
        return;
    if (!QRect(pane->mapToGlobal(QPoint(0, 0)), pane->size()).contains(pos))
        return;
    // Unsigned arithmetic, so the rest period survives the tick count's wrap.
    if (quint32(InputClock::tickCount() - lastMoveTick) >= kCursorRestMs)
        hideCursor();
}

void PlayWnd::hideCursor()
{
    if (cursorHidden)
        return;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    cursorHidden = true;
}

void PlayWnd::showCursor()
{
    if (!cursorHidden)
        return;
    QGuiApplication::restoreOverrideCursor();
    cursorHidden = false;
}
