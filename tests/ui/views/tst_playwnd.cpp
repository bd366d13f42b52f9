#include "app/ApplicationState.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "platform/InputClock.h"
#include "playback/PlayLogic.h"
#include "support/FakeMediaPlayer.h"
#include "support/ScriptedPlayLogic.h"
#include "ui/views/PlayWnd.h"
#include "ui/widgets/Hyperlink.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace CommandId;

namespace {

// Stands in for the main window: parents the pane and records the commands posted to it.
class MainWindowStandIn : public QWidget {
public:
    QList<int> commands;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != CommandEvent::kType)
            return QWidget::event(event);
        commands << static_cast<CommandEvent *>(event)->id();
        return true;
    }
};

constexpr QSize kLogoSize(316, 155);
// Half-transparent red: over the black pane it must come out as dark red.
const QColor kLogoColor(255, 0, 0, 128);

// Where the picture differs from black.
QRect paintedArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

enum class Playback { NothingLoaded, Playing, Paused, Stopped };

} // namespace

Q_DECLARE_METATYPE(Playback)

class TestPlayWnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void logoAndLinkFollowThePaneSize_data();
    void logoAndLinkFollowThePaneSize();
    void logoUnderVideo_data();
    void logoUnderVideo();
    void logoFailuresLeaveThePaneBlack_data();
    void logoFailuresLeaveThePaneBlack();
    void linkOpensMakerSite();
    void videoWindowLifecycle();
    void contextMenuItems();
    void contextMenuRules_data();
    void contextMenuRules();
    void contextMenuPostsChoice_data();
    void contextMenuPostsChoice();
    void cursorRule_data();
    void cursorRule();
    void cursorStaysBalanced();
    void cursorShownWhenParentGoesFirst();
    void doubleClickTogglesFullScreen_data();
    void doubleClickTogglesFullScreen();

private:
    void makeAlbum(int files);
    void load(Playback playback, int files);
    QImage renderPane() const;
    QWidget *videoWidget() const { return QWidget::find(WId(pane->videoWindow())); }

    QTemporaryDir skins;
    std::unique_ptr<QTemporaryDir> album;
    std::unique_ptr<MainWindowStandIn> mainWindow;
    std::unique_ptr<ScriptedPlayLogic> logic;
    PlayWnd *pane = nullptr;
    quint32 tick = 0;
    QPoint cursor;
};

void TestPlayWnd::initTestCase()
{
    QVERIFY(skins.isValid());
    QImage logo(kLogoSize, QImage::Format_ARGB32);
    logo.fill(kLogoColor);
    QVERIFY(QDir().mkpath(skins.filePath(u"test"_s)));
    QVERIFY(logo.save(skins.filePath(u"test/142.png"_s)));
    QVERIFY(QDir().mkpath(skins.filePath(u"garbage"_s)));
    QFile garbage(skins.filePath(u"garbage/142.png"_s));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x89PNG\r\n\x1a\n and then nothing that decodes");
    QVERIFY(QDir().mkpath(skins.filePath(u"missing"_s)));
}

void TestPlayWnd::init()
{
    tick = 1000;
    cursor = QPoint(-100, -100);
    InputClock::setSource([this] { return tick; }, [this] { return cursor; });
    mainWindow = std::make_unique<MainWindowStandIn>();
    mainWindow->setGeometry(100, 100, 672, 456);
    logic = std::make_unique<ScriptedPlayLogic>();
    appState.mainWindow = mainWindow.get();
    appState.playLogic = logic.get();
    pane = PlayWnd::instance();
    QVERIFY(pane);
    QVERIFY(pane->create(mainWindow.get()));
    appState.playWnd = pane;
    pane->widget()->setGeometry(0, 0, 672, 420);
    pane->widget()->show();
    QVERIFY(pane->loadLogo(skins.filePath(u"test"_s)));
}

void TestPlayWnd::cleanup()
{
    PlayWnd::release();
    QVERIFY(!appState.playWnd);
    mainWindow.reset();
    appState = ApplicationState();
    logic.reset();
    album.reset();
    InputClock::setSource({}, {});
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPlayWnd::makeAlbum(int files)
{
    album = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < files; ++i)
        QFile(album->filePath(u"%1.flac"_s.arg(i))).open(QIODevice::WriteOnly);
}

// What the main window does to open a file, then the playback step asked for.
void TestPlayWnd::load(Playback playback, int files)
{
    if (playback == Playback::NothingLoaded)
        return;
    makeAlbum(files);
    const QString path = album->filePath(u"0.flac"_s);
    QVERIFY(logic->openFile(path));
    logic->play();
    logic->playList.scanFolder(path);
    QCOMPARE(logic->playList.count(), files);
    if (playback == Playback::Paused)
        logic->pause();
    else if (playback == Playback::Stopped)
        logic->stop();
}

// The pane's own painting, without its children.
QImage TestPlayWnd::renderPane() const
{
    QImage image(pane->widget()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    pane->widget()->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

void TestPlayWnd::logoAndLinkFollowThePaneSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("minimum") << QSize(480, 300);
    QTest::newRow("default") << QSize(672, 420);
    QTest::newRow("odd") << QSize(673, 421);
    QTest::newRow("full screen") << QSize(1920, 1080);
    QTest::newRow("logo size") << kLogoSize;
}

void TestPlayWnd::logoAndLinkFollowThePaneSize()
{
    QFETCH(QSize, size);
    QVERIFY(pane->open(EngineType::Vlc));
    pane->widget()->resize(size);

    const QImage image = renderPane();
    const QPoint logoAt((size.width() - kLogoSize.width()) / 2,
                        (size.height() - kLogoSize.height()) / 2);
    QCOMPARE(paintedArea(image), QRect(logoAt, kLogoSize));
    const QColor blended = image.pixelColor(logoAt + QPoint(10, 10));
    QVERIFY2(qAbs(blended.red() - 128) <= 1 && blended.green() == 0 && blended.blue() == 0,
             qPrintable(blended.name()));

    const auto *link = pane->widget()->findChild<Hyperlink *>();
    QVERIFY(link);
    QCOMPARE(link->geometry().right() + 1, size.width() - 5);
    QCOMPARE(link->geometry().top(), 5);
    QCOMPARE(videoWidget()->geometry(),
             QRect(0, link->height() + 10, size.width(), size.height() - link->height() - 5));
}

void TestPlayWnd::logoUnderVideo_data()
{
    QTest::addColumn<Playback>("playback");
    QTest::addColumn<bool>("videoShown");
    QTest::addColumn<bool>("logoShown");
    QTest::newRow("playing video") << Playback::Playing << true << false;
    QTest::newRow("paused video") << Playback::Paused << true << false;
    QTest::newRow("playing audio") << Playback::Playing << false << true;
    QTest::newRow("stopped, window left shown") << Playback::Stopped << true << true;
    QTest::newRow("nothing loaded") << Playback::NothingLoaded << false << true;
}

void TestPlayWnd::logoUnderVideo()
{
    QFETCH(Playback, playback);
    QFETCH(bool, videoShown);
    QFETCH(bool, logoShown);
    load(playback, 1);
    pane->showVideo(videoShown);
    QCOMPARE(pane->isVideoVisible(), videoShown);

    QCOMPARE(paintedArea(renderPane()).isEmpty(), !logoShown);
    if (QWidget *video = videoWidget()) {
        QImage image(video->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        video->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        QVERIFY(paintedArea(image).isEmpty());
    }
}

void TestPlayWnd::logoFailuresLeaveThePaneBlack_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("logoShown");
    QTest::newRow("program's skin") << u":/skin"_s << true;
    QTest::newRow("missing") << skins.filePath(u"missing"_s) << false;
    QTest::newRow("undecodable") << skins.filePath(u"garbage"_s) << false;
}

void TestPlayWnd::logoFailuresLeaveThePaneBlack()
{
    QFETCH(QString, root);
    QFETCH(bool, logoShown);
    QVERIFY(pane->loadLogo(root));
    const QRect painted = paintedArea(renderPane());
    QCOMPARE(!painted.isEmpty(), logoShown);
    if (logoShown)
        QVERIFY(QRect(QPoint(178, 132), kLogoSize).contains(painted));
    // The rest still works without a logo.
    QVERIFY(pane->open(EngineType::Vlc));
    QVERIFY(pane->videoWindow() != 0);
}

void TestPlayWnd::linkOpensMakerSite()
{
    auto *link = pane->widget()->findChild<Hyperlink *>();
    QVERIFY(link);
    QVERIFY(link->font().underline());
    QCOMPARE(link->target(), u"https://brightfold.example/"_s);
}

void TestPlayWnd::videoWindowLifecycle()
{
    QCOMPARE(pane->videoWindow(), quintptr(0));
    QVERIFY(!pane->open(EngineType::Flash));
    QCOMPARE(pane->videoWindow(), quintptr(0));

    // Two files in a row with the same engine keep the window the engine renders into.
    makeAlbum(2);
    QVERIFY(logic->openFile(album->filePath(u"0.flac"_s)));
    const quintptr first = pane->videoWindow();
    QVERIFY(first != 0);
    QVERIFY(videoWidget()->testAttribute(Qt::WA_NativeWindow));
    QCOMPARE(videoWidget()->focusPolicy(), Qt::NoFocus);
    pane->showVideo(true);
    QVERIFY(logic->openFile(album->filePath(u"1.flac"_s)));
    QCOMPARE(pane->videoWindow(), first);
    QVERIFY2(!pane->isVideoVisible(), "each open hides the video window until video shows");

    // A file for another engine has no window here, and says so.
    QVERIFY(!pane->open(EngineType::Flash));
    QCOMPARE(pane->videoWindow(), quintptr(0));

    pane->destroyWindows();
    QVERIFY(!pane->widget());
    QVERIFY(!pane->open(EngineType::Vlc));
}

void TestPlayWnd::contextMenuItems()
{
    QMenu menu;
    PlayWnd::buildContextMenu(menu);
    QStringList items;
    const QList<QAction *> actions = menu.actions();
    for (const QAction *action : actions)
        items << (action->isSeparator()
                      ? u"-"_s
                      : u"%1 %2"_s.arg(action->data().toInt()).arg(action->text()));
    const QStringList expected{
        u"32771 Open\tCtrl+O"_s,   u"-"_s,
        u"32784 Play"_s,           u"32785 Pause\tSpace"_s,
        u"32786 Stop"_s,           u"32815 Previous\tPageUp"_s,
        u"32816 Next\tPageDown"_s, u"-"_s,
        u"32778 Full Screen\tF"_s, u"-"_s,
        u"32774 E&xit"_s,
    };
    QCOMPARE(items, expected);
    for (const QAction *action : actions)
        QVERIFY(action->shortcut().isEmpty());
}

void TestPlayWnd::contextMenuRules_data()
{
    QTest::addColumn<Playback>("playback");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QList<int>>("enabled");
    QTest::addColumn<int>("offeredMode");
    QTest::newRow("nothing loaded")
        << Playback::NothingLoaded << 0 << false << QList<int>{ID_OPEN, ID_FULL_SCREEN, ID_EXIT}
        << ID_FULL_SCREEN;
    QTest::newRow("playing") << Playback::Playing << 3 << false
                             << QList<int>{ID_OPEN, ID_PAUSE,       ID_STOP, ID_PREVIOUS,
                                           ID_NEXT, ID_FULL_SCREEN, ID_EXIT}
                             << ID_FULL_SCREEN;
    QTest::newRow("paused") << Playback::Paused << 3 << false
                            << QList<int>{ID_OPEN, ID_PLAY,        ID_STOP, ID_PREVIOUS,
                                          ID_NEXT, ID_FULL_SCREEN, ID_EXIT}
                            << ID_FULL_SCREEN;
    QTest::newRow("stopped") << Playback::Stopped << 3 << false
                             << QList<int>{ID_OPEN, ID_PLAY,        ID_PREVIOUS,
                                           ID_NEXT, ID_FULL_SCREEN, ID_EXIT}
                             << ID_FULL_SCREEN;
    QTest::newRow("one-file playlist")
        << Playback::Playing << 1 << false
        << QList<int>{ID_OPEN, ID_PAUSE, ID_STOP, ID_FULL_SCREEN, ID_EXIT} << ID_FULL_SCREEN;
    QTest::newRow("full screen") << Playback::Playing << 3 << true
                                 << QList<int>{ID_OPEN,     ID_PAUSE, ID_STOP,
                                               ID_PREVIOUS, ID_NEXT,  ID_LEAVE_FULL_SCREEN,
                                               ID_EXIT}
                                 << ID_LEAVE_FULL_SCREEN;
    QTest::newRow("full screen, nothing loaded")
        << Playback::NothingLoaded << 0 << true
        << QList<int>{ID_OPEN, ID_LEAVE_FULL_SCREEN, ID_EXIT} << ID_LEAVE_FULL_SCREEN;
}

void TestPlayWnd::contextMenuRules()
{
    QFETCH(Playback, playback);
    QFETCH(int, files);
    QFETCH(bool, fullScreen);
    QFETCH(QList<int>, enabled);
    QFETCH(int, offeredMode);
    load(playback, files);
    appState.fullScreen = fullScreen;

    QMenu menu;
    PlayWnd::buildContextMenu(menu);
    QList<int> offered;
    QList<int> enabledNow;
    const QList<QAction *> actions = menu.actions();
    for (const QAction *action : actions) {
        if (action->isSeparator())
            continue;
        offered << action->data().toInt();
        if (action->isEnabled())
            enabledNow << action->data().toInt();
    }
    QCOMPARE(offered, (QList<int>{ID_OPEN, ID_PLAY, ID_PAUSE, ID_STOP, ID_PREVIOUS, ID_NEXT,
                                  offeredMode, ID_EXIT}));
    QCOMPARE(enabledNow, enabled);
}

void TestPlayWnd::contextMenuPostsChoice_data()
{
    QTest::addColumn<bool>("onVideo");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QList<int>>("posted");
    QTest::newRow("Open on the pane") << false << ID_OPEN << QList<int>{ID_OPEN};
    QTest::newRow("Exit on the video") << true << ID_EXIT << QList<int>{ID_EXIT};
    QTest::newRow("grey Play") << false << ID_PLAY << QList<int>{};
    QTest::newRow("cancelled") << true << 0 << QList<int>{};
}

void TestPlayWnd::contextMenuPostsChoice()
{
    QFETCH(bool, onVideo);
    QFETCH(int, choice);
    QFETCH(QList<int>, posted);
    QVERIFY(pane->open(EngineType::Vlc));
    pane->showVideo(true);

    bool menuShown = false;
    // Runs inside the menu's own loop: picks the item as the keyboard would.
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        menuShown = menu != nullptr;
        if (!menu)
            return;
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            if (!action->isSeparator() && action->data().toInt() == choice)
                menu->setActiveAction(action);
        }
        if (choice != 0)
            QTest::keyClick(menu, Qt::Key_Return);
        // A grey item does not end the menu; nor does a cancel, until it is closed.
        if (menu->isVisible())
            menu->close();
    });
    QWidget *target = onVideo ? videoWidget() : pane->widget();
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(10, 10),
                              target->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(target, &request);
    QVERIFY(menuShown);
    QVERIFY2(mainWindow->commands.isEmpty(), "the choice is posted, not run in the menu");
    QCoreApplication::sendPostedEvents(mainWindow.get(), CommandEvent::kType);
    QCOMPARE(mainWindow->commands, posted);
}

void TestPlayWnd::cursorRule_data()
{
    QTest::addColumn<Playback>("playback");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<quint32>("firstTick");
    QTest::addColumn<quint32>("rest");
    QTest::addColumn<bool>("hidden");
    // The pane lies at (100, 100) on the screen, 672 x 420.
    const QPoint over(400, 300);
    QTest::newRow("rest 4999 ms") << Playback::Playing << over << QPoint() << 1000u << 4999u
                                  << false;
    QTest::newRow("rest 5000 ms") << Playback::Playing << over << QPoint() << 1000u << 5000u
                                  << true;
    QTest::newRow("jitter of 5 px")
        << Playback::Playing << over << QPoint(5, -5) << 1000u << 5000u << true;
    QTest::newRow("move of 6 px") << Playback::Playing << over << QPoint(-6, 0) << 1000u << 5000u
                                  << false;
    QTest::newRow("resting while paused")
        << Playback::Paused << over << QPoint() << 1000u << 60000u << false;
    QTest::newRow("nothing loaded")
        << Playback::NothingLoaded << over << QPoint() << 1000u << 60000u << false;
    QTest::newRow("resting below the pane")
        << Playback::Playing << QPoint(400, 530) << QPoint() << 1000u << 60000u << false;
    QTest::newRow("tick count wraps")
        << Playback::Playing << over << QPoint() << 0xFFFFF000u << 5000u << true;
}

void TestPlayWnd::cursorRule()
{
    QFETCH(Playback, playback);
    QFETCH(QPoint, start);
    QFETCH(QPoint, move);
    QFETCH(quint32, firstTick);
    QFETCH(quint32, rest);
    QFETCH(bool, hidden);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow.get()));
    QCOMPARE(pane->widget()->mapToGlobal(QPoint(0, 0)), QPoint(100, 100));
    load(playback, 1);

    tick = firstTick;
    cursor = start;
    QVERIFY(pane->loadLogo(skins.filePath(u"test"_s)));
    pane->autoHideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());

    tick = firstTick + rest;
    cursor = start + move;
    pane->autoHideCursor();
    const QCursor *override = QGuiApplication::overrideCursor();
    QCOMPARE(override != nullptr, hidden);
    if (override)
        QCOMPARE(override->shape(), Qt::BlankCursor);
}

void TestPlayWnd::cursorStaysBalanced()
{
    load(Playback::Playing, 1);
    cursor = QPoint(300, 300);
    pane->autoHideCursor(); // the first sight of the cursor counts as a move
    for (int i = 0; i < 3; ++i) {
        tick += 6000;
        pane->autoHideCursor();
    }
    QVERIFY(QGuiApplication::overrideCursor());

    // Pausing leaves it hidden; only a move gives it back, once.
    logic->pause();
    tick += 260;
    pane->autoHideCursor();
    QVERIFY(QGuiApplication::overrideCursor());
    cursor += QPoint(0, 40);
    pane->autoHideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
    cursor += QPoint(40, 0);
    pane->autoHideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());

    // Hidden again, then the pane goes: it gives the cursor back, and only once.
    logic->play();
    tick += 5000;
    pane->autoHideCursor();
    tick += 5000;
    pane->autoHideCursor();
    QVERIFY(QGuiApplication::overrideCursor());
    pane->destroyWindows();
    QVERIFY(!QGuiApplication::overrideCursor());
    PlayWnd::release();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPlayWnd::cursorShownWhenParentGoesFirst()
{
    load(Playback::Playing, 1);
    cursor = QPoint(300, 300);
    pane->autoHideCursor();
    tick += 5000;
    pane->autoHideCursor();
    QVERIFY(QGuiApplication::overrideCursor());
    // The main window takes its children with it; the pane's own teardown must cope.
    mainWindow.reset();
    QVERIFY(!pane->widget());
    QCOMPARE(pane->videoWindow(), quintptr(0));
    pane->autoHideCursor();
    pane->destroyWindows();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPlayWnd::doubleClickTogglesFullScreen_data()
{
    QTest::addColumn<bool>("onVideo");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<int>("command");
    QTest::newRow("pane, windowed") << false << false << ID_FULL_SCREEN;
    QTest::newRow("pane, full screen") << false << true << ID_LEAVE_FULL_SCREEN;
    QTest::newRow("video, windowed") << true << false << ID_FULL_SCREEN;
    QTest::newRow("video, full screen") << true << true << ID_LEAVE_FULL_SCREEN;
}

void TestPlayWnd::doubleClickTogglesFullScreen()
{
    QFETCH(bool, onVideo);
    QFETCH(bool, fullScreen);
    QFETCH(int, command);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow.get()));
    QVERIFY(pane->open(EngineType::Vlc));
    pane->showVideo(true);
    appState.fullScreen = fullScreen;

    QWidget *target = onVideo ? videoWidget() : pane->widget();
    QTest::mouseDClick(target, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY2(mainWindow->commands.isEmpty(), "commands are posted, never sent");
    QCoreApplication::sendPostedEvents(mainWindow.get(), CommandEvent::kType);
    QCOMPARE(mainWindow->commands, QList<int>{command});

    mainWindow->commands.clear();
    QTest::mouseDClick(target, Qt::RightButton, {}, QPoint(20, 20));
    QCoreApplication::sendPostedEvents(mainWindow.get(), CommandEvent::kType);
    QVERIFY(mainWindow->commands.isEmpty());
}

QTEST_MAIN(TestPlayWnd)
#include "tst_playwnd.moc"
