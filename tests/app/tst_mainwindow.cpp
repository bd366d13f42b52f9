#include "app/ApplicationState.h"
#include "app/MainWindow.h"
#include "app/OpenFile.h"
#include "app/ScreenMode.h"
#include "app/Startup.h"
#include "app/Views.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "support/ScriptedPlayLogic.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace CommandId;

namespace {

// Closes the next message box and reports what it said.
struct MessageBoxWatch {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

    void arm()
    {
        QTimer::singleShot(50, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                box->accept();
            }
        });
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandLinePath_data();
    void commandLinePath();
    void commands_data();
    void commands();
    void nextAndPreviousWalkTheFolder();
    void title_data();
    void title();
    void unsupportedFileShowsTheMessage();
    void onlyTheFirstDroppedFileLoads();
    void firstLayoutIsDefaultAndCentred();
    void layoutKeepsTheMinimum_data();
    void layoutKeepsTheMinimum();
    void fullScreenAndBack();
    void idleWindowStaysIdle();

private:
    void makeAlbum(int files);
    QString track(int i) const { return album->filePath(u"%1.flac"_s.arg(i)); }
    void post(int id);

    std::unique_ptr<QTemporaryDir> album;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptedPlayLogic> logic;
};

void TestMainWindow::init()
{
    appState = ApplicationState();
    window = std::make_unique<MainWindow>();
    logic = std::make_unique<ScriptedPlayLogic>();
    appState.mainWindow = window.get();
    appState.playLogic = logic.get();
}

void TestMainWindow::cleanup()
{
    appState = ApplicationState();
    logic.reset();
    window.reset();
    album.reset();
}

void TestMainWindow::makeAlbum(int files)
{
    album = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < files; ++i)
        QFile(track(i)).open(QIODevice::WriteOnly);
}

void TestMainWindow::post(int id)
{
    postCommand(window.get(), id);
    QCoreApplication::sendPostedEvents(window.get());
}

void TestMainWindow::commandLinePath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path");
    const QString cwd = QDir::currentPath();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("absolute") << u"/music/a.flac"_s << u"/music/a.flac"_s;
    QTest::newRow("absolute, not cleaned") << u"/music//./a.flac"_s << u"/music//./a.flac"_s;
    QTest::newRow("relative") << u"album/a b.flac"_s << cwd + u"/album/a b.flac"_s;
    QTest::newRow("relative, not cleaned") << u"./a.flac"_s << cwd + u"/./a.flac"_s;
    QTest::newRow("quotes are part of the name") << u"\"a.flac\""_s << cwd + u"/\"a.flac\""_s;
}

void TestMainWindow::commandLinePath()
{
    QFETCH(QString, text);
    QFETCH(QString, path);
    QCOMPARE(::commandLinePath(text), path);
}

void TestMainWindow::commands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("muted");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("stateAfter");
    QTest::addColumn<bool>("mutedAfter");
    QTest::addColumn<int>("volumeAfter");
    QTest::addColumn<qint64>("seek"); // -1: none

    const int play = EngineState::Playing, paused = EngineState::Paused;
    const int stopped = EngineState::Stopped;
    QTest::newRow("space pauses") << ID_PLAY << play << false << 50 << paused << false << 50
                                  << -1LL;
    QTest::newRow("space resumes")
        << ID_PLAY << paused << false << 50 << play << false << 50 << -1LL;
    QTest::newRow("space starts") << ID_PLAY << stopped << false << 50 << play << false << 50
                                  << -1LL;
    QTest::newRow("pause") << ID_PAUSE << play << false << 50 << paused << false << 50 << -1LL;
    QTest::newRow("stop") << ID_STOP << play << false << 50 << stopped << false << 50 << -1LL;
    QTest::newRow("close while playing")
        << ID_CLOSE << play << false << 50 << stopped << false << 50 << -1LL;
    QTest::newRow("close while paused")
        << ID_CLOSE << paused << false << 50 << paused << false << 50 << -1LL;
    QTest::newRow("mute") << ID_MUTE << play << false << 50 << play << true << 50 << -1LL;
    QTest::newRow("unmute") << ID_MUTE << play << true << 50 << play << false << 50 << -1LL;
    QTest::newRow("up at 95") << ID_VOLUME_UP << play << false << 95 << play << false << 100
                              << -1LL;
    QTest::newRow("up at 100") << ID_VOLUME_UP << play << false << 100 << play << false << 100
                               << -1LL;
    QTest::newRow("down at 5") << ID_VOLUME_DOWN << play << false << 5 << play << false << 0
                               << -1LL;
    QTest::newRow("up while muted")
        << ID_VOLUME_UP << play << true << 70 << play << false << 10 << -1LL;
    QTest::newRow("down while muted")
        << ID_VOLUME_DOWN << play << true << 70 << play << false << 0 << -1LL;
    QTest::newRow("forward") << ID_MOVE_FORWARD << play << false << 50 << play << false << 50
                             << 15000LL;
    QTest::newRow("backward") << ID_MOVE_BACKWARD << paused << false << 50 << paused << false << 50
                              << 5000LL;
    QTest::newRow("notification code in the high word")
        << (ID_STOP | 0x10000) << play << false << 50 << stopped << false << 50 << -1LL;
    QTest::newRow("unknown id") << 12345 << play << false << 50 << play << false << 50 << -1LL;
}

void TestMainWindow::commands()
{
    QFETCH(int, command);
    QFETCH(int, state);
    QFETCH(bool, muted);
    QFETCH(int, volume);
    QFETCH(int, stateAfter);
    QFETCH(bool, mutedAfter);
    QFETCH(int, volumeAfter);
    QFETCH(qint64, seek);
    makeAlbum(1);
    QVERIFY(logic->openFile(track(0)));
    FakeMediaPlayer &engine = *logic->fake();
    engine.state = state;
    engine.time = 10000;
    engine.length = 60000;
    logic->muted = muted;
    logic->volume = volume;
    if (command == 12345)
        QTest::ignoreMessage(QtDebugMsg, "MainWindow: unknown command 12345 ignored");

    post(command);
    QCOMPARE(engine.state, stateAfter);
    QCOMPARE(logic->muted, mutedAfter);
    QCOMPARE(logic->volume, volumeAfter);
    QCOMPARE(engine.seeks, seek < 0 ? QList<qint64>{} : QList<qint64>{seek});
}

void TestMainWindow::nextAndPreviousWalkTheFolder()
{
    makeAlbum(3);
    QVERIFY(loadFile(track(1)));
    logic->fake()->time = 1000;
    post(ID_NEXT);
    QCOMPARE(logic->currentPath, track(2));
    post(ID_NEXT); // wraps
    QCOMPARE(logic->currentPath, track(0));
    post(ID_PREVIOUS); // wraps back
    QCOMPARE(logic->currentPath, track(2));
}

void TestMainWindow::title_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    const QString longName = QString(300, u'x') + u".flac"_s;
    QTest::newRow("playing") << 3 << u"a.flac"_s << u"Sonexa - a.flac"_s;
    QTest::newRow("paused") << 4 << u"a.flac"_s << u"Sonexa - a.flac"_s;
    QTest::newRow("stopped") << 5 << u"a.flac"_s << u"Sonexa"_s;
    QTest::newRow("ended") << 6 << u"a.flac"_s << u"Sonexa"_s;
    QTest::newRow("long name shown whole") << 3 << longName << u"Sonexa - "_s + longName;
    QTest::newRow("no engine") << -1 << QString() << u"Sonexa"_s;
}

void TestMainWindow::title()
{
    QFETCH(int, state);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QCOMPARE(window->windowTitle(), u"Media Player"_s); // until the first tick
    if (state >= 0) {
        QVERIFY(logic->createMediaPlayer(EngineType::Vlc));
        logic->fake()->state = state;
        logic->currentName = name;
    }
    updateTitle();
    QCOMPARE(window->windowTitle(), title);
}

void TestMainWindow::unsupportedFileShowsTheMessage()
{
    makeAlbum(1);
    QVERIFY(loadFile(track(0)));
    MessageBoxWatch watch;
    watch.arm();
    QVERIFY(!loadFile(album->filePath(u"notes.txt"_s)));
    QCOMPARE(watch.title, u"Sonexa"_s);
    QCOMPARE(watch.text, u"Could not load the file"_s);
    QCOMPARE(watch.icon, QMessageBox::Critical);
    QCOMPARE(logic->fake()->state, EngineState::Stopped); // what played has stopped
    QCOMPARE(logic->currentPath, track(0));
}

void TestMainWindow::onlyTheFirstDroppedFileLoads()
{
    makeAlbum(3);
    onDropFiles({QUrl::fromLocalFile(track(2)), QUrl::fromLocalFile(track(0)),
                 QUrl::fromLocalFile(track(1))});
    QCOMPARE(logic->fake()->opened, QStringList{track(2)});
    QCOMPARE(logic->playList.count(), 3);
    onDropFiles({});
    QCOMPARE(logic->fake()->opened.size(), 1);
}

void TestMainWindow::firstLayoutIsDefaultAndCentred()
{
    window->show();
    appState.ready = true;
    layoutMainWindow();
    QCOMPARE(window->size(), QSize(672, 420));
    const QRect work = window->screen()->availableGeometry();
    QVERIFY(qAbs(window->geometry().center().x() - work.center().x()) <= 1);
    QVERIFY(qAbs(window->geometry().center().y() - work.center().y()) <= 1);
    QVERIFY(appState.hasPlacement);
}

void TestMainWindow::layoutKeepsTheMinimum_data()
{
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("laidOut");
    QTest::newRow("roomy") << QSize(800, 600) << QSize(800, 600);
    QTest::newRow("narrow") << QSize(300, 600) << QSize(480, 600);
    QTest::newRow("low") << QSize(800, 200) << QSize(800, 300);
    QTest::newRow("both") << QSize(100, 100) << QSize(480, 300);
    QTest::newRow("exactly the minimum") << QSize(480, 300) << QSize(480, 300);
}

void TestMainWindow::layoutKeepsTheMinimum()
{
    QFETCH(QSize, requested);
    QFETCH(QSize, laidOut);
    appState.hasPlacement = true; // not a first start
    window->show();
    appState.ready = true;
    window->setMinimumSize(0, 0);
    window->resize(requested);
    layoutMainWindow();
    QCOMPARE(window->size(), laidOut);
    QCOMPARE(window->minimumSize(), QSize(480, 300));
}

void TestMainWindow::fullScreenAndBack()
{
    window->show();
    appState.ready = true;
    layoutMainWindow();
    window->move(40, 30);
    rememberPlacement();
    const WindowPlacement framed = appState.placement;

    post(ID_LEAVE_FULL_SCREEN); // Esc in a framed window changes nothing
    QVERIFY(!appState.fullScreen);
    post(ID_FULL_SCREEN);
    QVERIFY(appState.fullScreen);
    QVERIFY(window->isFullScreen());
    rememberPlacement(); // nothing is recorded in full-screen mode
    QCOMPARE(appState.placement.left, framed.left);
    post(ID_FULL_SCREEN); // F toggles back
    QVERIFY(!appState.fullScreen);
    QVERIFY(!window->isFullScreen());
    QCOMPARE(window->geometry().topLeft(), QPoint(framed.left, framed.top));
    QCOMPARE(window->size(), QSize(framed.right - framed.left, framed.bottom - framed.top));
}

// Laying out hides and shows the bar; were that taken for a new layout request, the window
// would lay itself out and repaint for ever.
void TestMainWindow::idleWindowStaysIdle()
{
    QVERIFY(createViews());
    window->show();
    appState.ready = true;
    layoutMainWindow();
    QTest::qWait(200);

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint || event->type() == QEvent::Resize;
            return false;
        }
    } counter;
    for (QWidget *child : window->findChildren<QWidget *>())
        child->installEventFilter(&counter);
    window->installEventFilter(&counter);
    QTest::qWait(600);
    QVERIFY2(counter.paints <= 2, qPrintable(QString::number(counter.paints)));
    destroyViews();
    logic.release(); // deleted with the views
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
