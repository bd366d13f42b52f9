#include "app/OpenFile.h"

#include "app/ApplicationState.h"
#include "app/Product.h"
#include "engine/MediaPlayer.h"
#include "playback/PlayLogic.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

bool failLoad()
{
    QMessageBox::critical(appState.mainWindow, QString::fromUtf16(Product::kDisplayName),
                          u"Could not load the file"_s);
    return false;
}

} // namespace

bool loadFile(const QString &path)
{
    PlayLogic &logic = *appState.playLogic;
    logic.stop();
    if (!logic.playList.isSupported(path) || !logic.openFile(path))
        return failLoad();
    logic.play();
    logic.playList.scanFolder(path);
    return true;
}

void chooseFile()
{
    // AnyFile: a typed name that does not exist still reaches loadFile, which decides.
    QFileDialog dialog(appState.mainWindow, u"Select File"_s, QString(), u"Media Files (*.flac)"_s);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!path.isEmpty())
        loadFile(path);
}

void onDropFiles(const QList<QUrl> &urls)
{
    // Only the first dropped file counts.
    if (urls.isEmpty())
        return;
    const QString path = urls.constFirst().toLocalFile();
    if (!path.isEmpty())
        loadFile(path);
}

void updateTitle()
{
    const PlayLogic &logic = *appState.playLogic;
    const int state = logic.player ? logic.player->getState() : EngineState::None;
    const QString product = QString::fromUtf16(Product::kDisplayName);
    const bool showsFile = (state == EngineState::Playing || state == EngineState::Paused) &&
                           !logic.currentName.isEmpty();
    appState.mainWindow->setWindowTitle(showsFile ? product + u" - "_s + logic.currentName
                                                  : product);
}

void onHandOff(const QString &path)
{
    if (!loadFile(path))
        return;
    QWidget *window = appState.mainWindow;
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    // Where the window manager refuses the focus, the window asks for attention instead.
    if (!window->isActiveWindow())
        QApplication::alert(window);
}
