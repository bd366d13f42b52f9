#include "app/MainWindow.h"

#include "app/AboutBox.h"
#include "app/ApplicationState.h"
#include "app/ExitSequence.h"
#include "app/OpenFile.h"
#include "app/ScreenMode.h"
#include "app/Views.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "platform/Log.h"
#include "playback/PlayLogic.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMimeData>
#include <QPainter>
#include <QShortcut>
#include <QTimerEvent>

using namespace Qt::StringLiterals;
using namespace CommandId;

namespace {

struct Accelerator {
    QKeyCombination key;
    int command;
};

// Alt+/ and Alt+? are there with and without Shift, since "?" needs Shift on most layouts.
const Accelerator kAccelerators[] = {
    {Qt::Key_F, ID_FULL_SCREEN},
    {Qt::CTRL | Qt::Key_O, ID_OPEN},
    {Qt::Key_Left, ID_MOVE_BACKWARD},
    {Qt::Key_Right, ID_MOVE_FORWARD},
    {Qt::Key_M, ID_MUTE},
    {Qt::Key_PageDown, ID_NEXT},
    {Qt::Key_Space, ID_PLAY},
    {Qt::Key_PageUp, ID_PREVIOUS},
    {Qt::Key_Down, ID_VOLUME_DOWN},
    {Qt::Key_Up, ID_VOLUME_UP},
    {Qt::ALT | Qt::Key_Slash, ID_ABOUT},
    {Qt::ALT | Qt::SHIFT | Qt::Key_Slash, ID_ABOUT},
    {Qt::ALT | Qt::Key_Question, ID_ABOUT},
    {Qt::ALT | Qt::SHIFT | Qt::Key_Question, ID_ABOUT},
    {Qt::Key_Escape, ID_LEAVE_FULL_SCREEN},
};

} // namespace

MainWindow::MainWindow()
{
    setWindowTitle(u"Media Player"_s);
    setWindowIcon(QIcon(u":/icons/IDI_PLAYER.png"_s));
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    createShortcuts();
}

MainWindow::~MainWindow() = default;

void MainWindow::createShortcuts()
{
    for (const Accelerator &row : kAccelerators) {
        auto *shortcut = new QShortcut(QKeySequence(row.key), this);
        shortcut->setContext(Qt::ApplicationShortcut);
        shortcut->setAutoRepeat(true);
        const int command = row.command;
        connect(shortcut, &QShortcut::activated, this, [this, command] { onCommand(command); });
    }
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == CommandEvent::kType) {
        onCommand(static_cast<CommandEvent *>(event)->id());
        return true;
    }
    // The control bar asks for a new layout when it hides or shows itself.
    if (event->type() == kMainLayoutRequest) {
        layoutMainWindow();
        return true;
    }
    return QWidget::event(event);
}

void MainWindow::onCommand(int id)
{
    PlayLogic &logic = *appState.playLogic;
    switch (id) {
    case ID_ABOUT:
        showAboutBox(this);
        break;
    case ID_OPEN:
        chooseFile();
        break;
    case ID_EXIT:
        // Exit goes through the close handling like any other close.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        break;
    case ID_FULL_SCREEN:
        if (appState.fullScreen)
            leaveFullScreen();
        else
            enterFullScreen();
        refreshBarButtons();
        break;
    case ID_LEAVE_FULL_SCREEN:
        leaveFullScreen();
        refreshBarButtons();
        break;
    case ID_PLAY:
        if (logic.isPlaying())
            logic.pause();
        else
            logic.play();
        break;
    case ID_PAUSE:
        logic.pause();
        break;
    case ID_STOP:
        logic.stop();
        break;
    case ID_CLOSE:
        // A paused file stays paused.
        if (logic.isPlaying())
            logic.stop();
        break;
    case ID_MUTE:
        logic.toggleMute();
        break;
    case ID_MOVE_FORWARD:
        logic.seekStep(+1);
        break;
    case ID_MOVE_BACKWARD:
        logic.seekStep(-1);
        break;
    case ID_PREVIOUS:
        logic.skip(-1);
        break;
    case ID_NEXT:
        logic.skip(+1);
        break;
    case ID_VOLUME_UP:
        volumeStep(+10);
        break;
    case ID_VOLUME_DOWN:
        volumeStep(-10);
        break;
    default:
        qCDebug(lcSonexa, "MainWindow: unknown command %d ignored", id);
        break;
    }
}

void volumeStep(int step)
{
    PlayLogic &logic = *appState.playLogic;
    if (logic.muted)
        logic.volume = 0;
    logic.setVolume(logic.volume + step);
}

void MainWindow::resizeEvent(QResizeEvent *)
{
    if (!isMinimized())
        layoutMainWindow();
    rememberPlacement();
}

void MainWindow::moveEvent(QMoveEvent *)
{
    rememberPlacement();
}

void MainWindow::changeEvent(QEvent *event)
{
    // A minimise changes no size, so it is recorded here.
    if (event->type() == QEvent::WindowStateChange)
        rememberPlacement();
    QWidget::changeEvent(event);
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Only the close handling ends the window, and it may decide to keep it open.
    event->ignore();
    onClose();
}

void MainWindow::timerEvent(QTimerEvent *)
{
    updateTitle();
    paneTimerTick();
    appState.playLogic->timerProc();
    barTimerTick();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    onDropFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}
