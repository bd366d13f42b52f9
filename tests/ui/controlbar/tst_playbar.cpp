#include "app/ApplicationState.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "platform/InputClock.h"
#include "playback/PlayLogic.h"
#include "support/FakeMediaPlayer.h"
#include "support/ScriptedPlayLogic.h"
#include "ui/controlbar/PlayBar.h"
#include "ui/controlbar/SkinButton.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <vlc/vlc.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace BarControl;

namespace {

// Stands in for the main window: records the commands and layout requests posted to it.
class RecordingWindow : public QWidget {
public:
    QList<int> commands;
    int layoutRequests = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == CommandEvent::kType)
            commands << static_cast<CommandEvent *>(event)->id();
        else if (event->type() == kMainLayoutRequest)
            ++layoutRequests;
        return QWidget::event(event);
    }
};

// Collects the regions the watched widget is asked to paint.
class PaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// Plain colours at the skin's sizes, so a pixel tells which image lies where.
const QColor kBackground(40, 40, 40);
const QColor kButton(0, 200, 0);
const QColor kTrack(0, 0, 255);
const QColor kPlayed(0, 255, 0);
const QColor kTimeKnob(255, 0, 0);
const QColor kVolumeTrack(0, 0, 128);
const QColor kVolumeKnob(255, 255, 0);

void writeImage(const QString &folder, const QString &name, QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(folder + u'/' + name + u".png"_s));
}

void writePlainSkin(const QString &folder)
{
    for (const char16_t *name :
         {u"IDB_OPEN", u"IDB_PLAY", u"IDB_PAUSE", u"IDB_STOP", u"IDB_PREV", u"IDB_NEXT"})
        writeImage(folder, QString::fromUtf16(name), {36, 32}, kButton);
    writeImage(folder, u"IDB_MUTE"_s, {28, 24}, kButton);
    writeImage(folder, u"IDB_FULLSCREEN1"_s, {32, 26}, kButton);
    writeImage(folder, u"IDB_FULLSCREEN2"_s, {32, 26}, kButton);
    writeImage(folder, u"IDB_TIME_BKG"_s, {4, 12}, kTrack);
    writeImage(folder, u"IDB_TIME_FORG"_s, {4, 12}, kPlayed);
    writeImage(folder, u"IDB_TIME_BALL"_s, {12, 12}, kTimeKnob);
    writeImage(folder, u"IDB_VOLUME_BAR"_s, {68, 12}, kVolumeTrack);
    writeImage(folder, u"IDB_VOLUME_BALL"_s, {16, 12}, kVolumeKnob);
    writeImage(folder, u"IDB_BAR_BKG"_s, {10, 36}, kBackground);
}

// The first column of the row at y, from x on, whose pixel has the colour; -1 if none.
int firstColumn(const QImage &image, int y, int x, const QColor &colour)
{
    for (; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == colour)
            return x;
    }
    return -1;
}

int centreRow(const QRect &rect)
{
    return rect.y() + rect.height() / 2;
}

} // namespace

class TestPlayBar : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void windowLifecycle();
    void buttonSets_data();
    void buttonSets();
    void sliderPress_data();
    void sliderPress();
    void timeDragOutOfWindow();
    void knobPositions_data();
    void knobPositions();
    void timeTextReadsOnDarkSkin();
    void formatTime_data();
    void formatTime();
    void buttonCommands_data();
    void buttonCommands();
    void pressShiftsImage();
    void autoHide_data();
    void autoHide();
    void hiddenBarComesBack();
    void timeBurstDuringResize();
    void progressRepaintsOnlyTheStrips();

private:
    // A bar over the given skin, inside a shown host window, width pixels wide.
    std::unique_ptr<PlayBar> makeBar(const QString &root, int width);
    QString skinWithout(const QString &name);
    QString plainSkin();
    void setPlaylist(int files);
    void startPlaying(qint64 time, qint64 length);

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QWidget> host;
    std::unique_ptr<ScriptedPlayLogic> logic;
    RecordingWindow mainWindow;
    quint32 tick = 0;
    QPoint cursor;
};

void TestPlayBar::init()
{
    folder = std::make_unique<QTemporaryDir>();
    host = std::make_unique<QWidget>();
    host->setGeometry(0, 0, 2200, 400);
    host->show();
    logic = std::make_unique<ScriptedPlayLogic>();
    appState.playLogic = logic.get();
    appState.mainWindow = &mainWindow;
    QCoreApplication::removePostedEvents(&mainWindow);
    mainWindow.commands.clear();
    mainWindow.layoutRequests = 0;
    InputClock::setSource([this] { return tick; }, [this] { return cursor; });
}

void TestPlayBar::cleanup()
{
    InputClock::setSource({}, {});
    appState = ApplicationState();
    logic.reset();
    host.reset();
    folder.reset();
}

std::unique_ptr<PlayBar> TestPlayBar::makeBar(const QString &root, int width)
{
    auto bar = std::make_unique<PlayBar>(root);
    if (!bar->create(host.get()) || !bar->createFont())
        return nullptr;
    bar->window()->setGeometry(0, 200, width, bar->barHeight());
    appState.playBar = bar.get();
    return bar;
}

// The shipped skin less one image.
QString TestPlayBar::skinWithout(const QString &name)
{
    const QString root = folder->filePath(u"skin"_s);
    QDir().mkpath(root);
    const QStringList files = QDir(u":/skin"_s).entryList(QDir::Files);
    for (const QString &file : files) {
        if (!file.startsWith(name + u'.') && !file.startsWith(name + u'@'))
            QFile::copy(u":/skin/"_s + file, root + u'/' + file);
    }
    return root;
}

QString TestPlayBar::plainSkin()
{
    const QString root = folder->filePath(u"plain"_s);
    QDir().mkpath(root);
    writePlainSkin(root);
    return root;
}

// Empty files are enough for the folder listing.
void TestPlayBar::setPlaylist(int files)
{
    const QString album = folder->filePath(u"album"_s);
    QDir().mkpath(album);
    for (int i = 0; i < files; ++i)
        QFile(album + u"/%1.flac"_s.arg(i)).open(QIODevice::WriteOnly);
    logic->playList.scanFolder(album + u"/0.flac"_s);
}

void TestPlayBar::startPlaying(qint64 time, qint64 length)
{
    QVERIFY(logic->createMediaPlayer(EngineType::Vlc));
    logic->fake()->state = EngineState::Playing;
    logic->fake()->time = time;
    logic->fake()->length = length;
}

void TestPlayBar::layout_data()
{
    QTest::addColumn<bool>("background");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("buttonY");
    QTest::addColumn<int>("timeY");
    QTest::addColumn<int>("volumeY");
    QTest::addColumn<int>("muteY");
    QTest::addColumn<int>("fullScreenY");
    for (int width : {480, 640, 1366}) {
        QTest::addRow("skin, %d wide", width) << true << width << 36 << 2 << 16 << 15 << 9 << 5;
        // Centred on 27 pixels; (27 - 32) / 2 truncates toward zero.
        QTest::addRow("no background, %d wide", width)
            << false << width << 27 << -2 << 11 << 10 << 4 << 0;
    }
}

void TestPlayBar::layout()
{
    QFETCH(bool, background);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, buttonY);
    QFETCH(int, timeY);
    QFETCH(int, volumeY);
    QFETCH(int, muteY);
    QFETCH(int, fullScreenY);
    auto bar = makeBar(background ? u":/skin"_s : skinWithout(u"IDB_BAR_BKG"_s), width);
    QVERIFY(bar);
    QCOMPARE(bar->barHeight(), height);

    const QSize button(36, 32);
    QCOMPARE(bar->controlRect(Open), QRect(QPoint(1, buttonY), button));
    QCOMPARE(bar->controlRect(Stop), bar->controlRect(Open));
    QCOMPARE(bar->controlRect(Play), QRect(QPoint(38, buttonY), button));
    QCOMPARE(bar->controlRect(Pause), bar->controlRect(Play));
    QCOMPARE(bar->controlRect(Previous), QRect(QPoint(75, buttonY), button));
    QCOMPARE(bar->controlRect(Next), QRect(QPoint(112, buttonY), button));
    QCOMPARE(bar->controlRect(TimeSlider), QRect(149, timeY, width - 281, 12));
    QCOMPARE(bar->controlRect(VolumeSlider), QRect(width - 131, volumeY, 68, 12));
    QCOMPARE(bar->controlRect(Mute), QRect(width - 62, muteY, 28, 24));
    QCOMPARE(bar->controlRect(FullScreen), QRect(width - 33, fullScreenY, 32, 26));
    QCOMPARE(bar->controlRect(LeaveFullScreen), bar->controlRect(FullScreen));
}

void TestPlayBar::windowLifecycle()
{
    PlayBar bar(plainSkin());
    QCOMPARE(bar.barHeight(), 0);
    QVERIFY(bar.create(host.get()));
    QWidget *window = bar.window();
    QVERIFY(bar.create(host.get()));
    QCOMPARE(bar.window(), window);
    QCOMPARE(window->focusPolicy(), Qt::NoFocus);
    QVERIFY(bar.createFont());
    const std::pair<int, QString> tips[] = {
        {Open, u"Open"_s},
        {Play, u"Play"_s},
        {Pause, u"Pause"_s},
        {Stop, u"Stop"_s},
        {Previous, u"Prev"_s},
        {Next, u"Next"_s},
        {Mute, u"Mute On/Off"_s},
        {FullScreen, u"Full Screen"_s},
        {LeaveFullScreen, u"Leave Full Screen"_s},
    };
    for (const auto &[id, text] : tips) {
        QCOMPARE(bar.button(id)->toolTip(), text);
        QCOMPARE(bar.button(id)->focusPolicy(), Qt::NoFocus);
    }
    bar.destroyWindows();
    QCOMPARE(bar.barHeight(), 0);
    QVERIFY(!bar.window());
    QVERIFY(!bar.button(Open));

    // An image that does not decode measures 0 x 0; the bar keeps its plain height.
    const QString broken = skinWithout(u"IDB_BAR_BKG"_s);
    QFile bytes(broken + u"/IDB_BAR_BKG.png"_s);
    QVERIFY(bytes.open(QIODevice::WriteOnly));
    bytes.write("not a picture");
    bytes.close();
    auto undecodable = makeBar(broken, 640);
    QCOMPARE(undecodable->barHeight(), 27);
}

void TestPlayBar::buttonSets_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<bool>("playEnabled");
    QTest::addColumn<bool>("skipEnabled");
    const QList<int> idle{Open, Play};
    const QList<int> playing{Stop, Pause};
    const QList<int> paused{Stop, Play};
    QTest::newRow("no engine, empty") << 0 << 0 << false << idle << false << false;
    QTest::newRow("no engine, one file") << 0 << 1 << false << idle << true << false;
    QTest::newRow("no engine, many") << 0 << 3 << true << idle << true << true;
    QTest::newRow("playing, empty") << 3 << 0 << false << playing << false << false;
    QTest::newRow("playing, one file") << 3 << 1 << false << playing << false << false;
    QTest::newRow("playing, many") << 3 << 3 << true << playing << false << true;
    QTest::newRow("paused, empty") << 4 << 0 << false << paused << false << false;
    QTest::newRow("paused, one file") << 4 << 1 << true << paused << true << false;
    QTest::newRow("paused, many") << 4 << 3 << false << paused << true << true;
    QTest::newRow("stopped, many") << 5 << 3 << false << idle << true << true;
}

void TestPlayBar::buttonSets()
{
    QFETCH(int, state);
    QFETCH(int, files);
    QFETCH(bool, fullScreen);
    QFETCH(QList<int>, shown);
    QFETCH(bool, playEnabled);
    QFETCH(bool, skipEnabled);
    auto bar = makeBar(plainSkin(), 640);
    setPlaylist(files);
    if (state != 0) {
        startPlaying(0, 0);
        logic->fake()->state = state;
    }
    appState.fullScreen = fullScreen;
    bar->refreshButtons();

    for (int id : {Open, Play, Pause, Stop}) {
        const bool on = shown.contains(id);
        QCOMPARE(bar->button(id)->isVisibleTo(bar->window()), on);
        QCOMPARE(bar->button(id)->isEnabled(), id == Play ? on && playEnabled : on);
    }
    for (int id : {Previous, Next}) {
        QVERIFY(bar->button(id)->isVisibleTo(bar->window()));
        QCOMPARE(bar->button(id)->isEnabled(), skipEnabled);
    }
    QCOMPARE(bar->button(FullScreen)->isVisibleTo(bar->window()), !fullScreen);
    QCOMPARE(bar->button(FullScreen)->isEnabled(), !fullScreen);
    QCOMPARE(bar->button(LeaveFullScreen)->isVisibleTo(bar->window()), fullScreen);
    QCOMPARE(bar->button(LeaveFullScreen)->isEnabled(), fullScreen);
}

void TestPlayBar::sliderPress_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("expected");
    // The 68-pixel volume track with its 16-pixel knob travels 52 pixels from L + 8.
    QTest::newRow("volume L-1") << VolumeSlider << -1 << -1; // the free column: nothing
    QTest::newRow("volume L") << VolumeSlider << 0 << 0;
    QTest::newRow("volume L+8") << VolumeSlider << 8 << 0;
    QTest::newRow("volume L+9") << VolumeSlider << 9 << 2;
    QTest::newRow("volume L+34") << VolumeSlider << 34 << 50;
    QTest::newRow("volume L+60") << VolumeSlider << 60 << 100;
    QTest::newRow("volume L+67") << VolumeSlider << 67 << 100;
    // The 359-pixel time track with its 12-pixel knob travels 347 pixels from L + 6; the
    // media is 60 s long.
    QTest::newRow("time L") << TimeSlider << 0 << 0;
    QTest::newRow("time L+6") << TimeSlider << 6 << 0;
    QTest::newRow("time L+93") << TimeSlider << 93 << 15043;
    QTest::newRow("time L+353") << TimeSlider << 353 << 60000;
    QTest::newRow("time L+358") << TimeSlider << 358 << 60000;
    QTest::newRow("time L+359") << TimeSlider << 359 << -1;
}

void TestPlayBar::sliderPress()
{
    QFETCH(int, slider);
    QFETCH(int, offset);
    QFETCH(int, expected);
    auto bar = makeBar(u":/skin"_s, 640);
    startPlaying(0, 60000);
    bar->updateProgress();
    logic->volume = 77;
    const QRect rect = bar->controlRect(slider);
    QCOMPARE(rect.width(), slider == TimeSlider ? 359 : 68);

    QTest::mousePress(bar->window(), Qt::LeftButton, {}, QPoint(rect.x() + offset, rect.y() + 2));
    if (slider == TimeSlider) {
        QCOMPARE(logic->fake()->seeks,
                 expected < 0 ? QList<qint64>{} : QList<qint64>{qint64(expected)});
        QCOMPARE(logic->volume, 77);
    } else {
        QCOMPARE(logic->volume, expected < 0 ? 77 : expected);
        QVERIFY(logic->fake()->seeks.isEmpty());
    }
    QTest::mouseRelease(bar->window(), Qt::LeftButton, {}, QPoint(rect.x() + offset, rect.y() + 2));
}

void TestPlayBar::timeDragOutOfWindow()
{
    auto bar = makeBar(u":/skin"_s, 640);
    QWidget *window = bar->window();
    const QRect rect = bar->controlRect(TimeSlider);
    const int y = centreRow(rect);

    // Stopped: nothing is shown as the length, so a drag seeks to 0.
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(rect.x() + 200, y));
    startPlaying(0, 60000);
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(rect.x() + 200, y));
    QCOMPARE(logic->fake()->seeks, QList<qint64>{});
    bar->updateProgress();

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(rect.x() + 100, y));
    QTest::mouseMove(window, QPoint(-40, y));
    QTest::mouseMove(window, QPoint(700, y + 50));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(700, y + 50));
    QCOMPARE(logic->fake()->seeks.size(), 3);
    QCOMPARE(logic->fake()->seeks.at(1), 0);
    QCOMPARE(logic->fake()->seeks.at(2), 60000);
}

void TestPlayBar::knobPositions_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("volume");
    QTest::addColumn<bool>("muted");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("knobOffset");
    QTest::newRow("volume 0") << VolumeSlider << 0 << false << 0LL << 0LL << 0;
    QTest::newRow("volume 50") << VolumeSlider << 50 << false << 0LL << 0LL << 26;
    QTest::newRow("volume 100") << VolumeSlider << 100 << false << 0LL << 0LL << 52;
    QTest::newRow("muted at 80") << VolumeSlider << 80 << true << 0LL << 0LL << 0;
    QTest::newRow("no length") << TimeSlider << 100 << false << 5000LL << 0LL << 0;
    // 347 / 4 = 86.75, truncated.
    QTest::newRow("a quarter") << TimeSlider << 100 << false << 15000LL << 60000LL << 86;
    QTest::newRow("beyond the end") << TimeSlider << 100 << false << 70000LL << 60000LL << 347;
}

void TestPlayBar::knobPositions()
{
    QFETCH(int, slider);
    QFETCH(int, volume);
    QFETCH(bool, muted);
    QFETCH(qint64, time);
    QFETCH(qint64, length);
    QFETCH(int, knobOffset);
    auto bar = makeBar(plainSkin(), 640);
    startPlaying(time, length);
    logic->volume = volume;
    logic->muted = muted;
    bar->updateProgress();
    QCoreApplication::processEvents();

    const QImage shot = bar->window()->grab().toImage();
    const QRect rect = bar->controlRect(slider);
    const QColor knob = slider == TimeSlider ? kTimeKnob : kVolumeKnob;
    QCOMPARE(firstColumn(shot, centreRow(rect), rect.x(), knob), rect.x() + knobOffset);
    if (slider == TimeSlider) {
        // Played part left of the knob, the plain track right of it.
        const int played = firstColumn(shot, centreRow(rect), rect.x(), kPlayed);
        QCOMPARE(played, knobOffset == 0 ? -1 : rect.x());
        QCOMPARE(shot.pixelColor(rect.x() + rect.width() - 1, centreRow(rect)),
                 knobOffset == 347 ? kTimeKnob : kTrack);
    }
}

void TestPlayBar::timeTextReadsOnDarkSkin()
{
    auto bar = makeBar(u":/skin"_s, 640);
    startPlaying(12000, 205000);
    bar->updateProgress();
    const QImage shot = bar->window()->grab().toImage();
    const QRect slider = bar->controlRect(TimeSlider);
    int brightest = 0;
    int leftmost = -1;
    int rightmost = -1;
    for (int y = 0; y < slider.y(); ++y) {
        for (int x = slider.x(); x < slider.x() + slider.width(); ++x) {
            const int grey = qGray(shot.pixel(x, y));
            brightest = std::max(brightest, grey);
            if (grey > 120) {
                leftmost = leftmost < 0 ? x : std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    QVERIFY2(brightest >= 170, qPrintable(u"brightest text pixel %1"_s.arg(brightest)));
    // Right-aligned with the slider's end, about as wide as "00:03:25 / 00:00:12".
    QVERIFY(rightmost >= slider.x() + slider.width() - 4);
    QVERIFY(leftmost > slider.x() + slider.width() - 160);
    QVERIFY(leftmost < slider.x() + slider.width() - 60);
}

void TestPlayBar::formatTime_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0LL << u"00:00:00"_s;
    QTest::newRow("just under a second") << 999LL << u"00:00:00"_s;
    QTest::newRow("1 h 2 min 5 s") << 3725000LL << u"01:02:05"_s;
    QTest::newRow("100 h") << 360000000LL << u"100:00:00"_s;
}

void TestPlayBar::formatTime()
{
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(::formatTime(ms), text);
}

void TestPlayBar::buttonCommands_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("command");
    QTest::newRow("Open") << Open << CommandId::ID_OPEN;
    QTest::newRow("Play") << Play << CommandId::ID_PLAY;
    QTest::newRow("Pause") << Pause << CommandId::ID_PAUSE;
    QTest::newRow("Stop") << Stop << CommandId::ID_STOP;
    QTest::newRow("Previous") << Previous << CommandId::ID_PREVIOUS;
    QTest::newRow("Next") << Next << CommandId::ID_NEXT;
    QTest::newRow("Mute") << Mute << CommandId::ID_MUTE;
    QTest::newRow("Full Screen") << FullScreen << CommandId::ID_FULL_SCREEN;
    QTest::newRow("Leave Full Screen") << LeaveFullScreen << CommandId::ID_FULL_SCREEN;
}

void TestPlayBar::buttonCommands()
{
    QFETCH(int, id);
    QFETCH(int, command);
    auto bar = makeBar(u":/skin"_s, 640);
    SkinButton *button = bar->button(id);
    button->raise(); // from under the button that shares its place
    button->show();
    button->setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(mainWindow.commands.isEmpty()); // posted, not sent
    QCoreApplication::processEvents();
    QCOMPARE(mainWindow.commands, QList<int>{command});
}

void TestPlayBar::pressShiftsImage()
{
    auto bar = makeBar(plainSkin(), 640);
    SkinButton *button = bar->button(Next);
    QTest::mousePress(button, Qt::LeftButton);
    QImage shot = button->grab().toImage();
    QCOMPARE(shot.pixelColor(0, 0), kBackground);
    QCOMPARE(shot.pixelColor(1, 1), kButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    shot = button->grab().toImage();
    QCOMPARE(shot.pixelColor(0, 0), kButton);
}

void TestPlayBar::autoHide_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<quint32>("elapsed");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("still 5000 ms") << 1000u << QPoint(0, 0) << 5000u << false;
    QTest::newRow("still 5001 ms") << 1000u << QPoint(0, 0) << 5001u << true;
    QTest::newRow("4 px across") << 1000u << QPoint(4, 0) << 5001u << true;
    QTest::newRow("4 px up") << 1000u << QPoint(-3, -4) << 5001u << true;
    QTest::newRow("5 px across") << 1000u << QPoint(5, 0) << 5001u << false;
    QTest::newRow("5 px up") << 1000u << QPoint(0, -5) << 5001u << false;
    QTest::newRow("across the tick wrap") << 0xFFFFF000u << QPoint(0, 0) << 5001u << true;
}

void TestPlayBar::autoHide()
{
    QFETCH(quint32, start);
    QFETCH(QPoint, move);
    QFETCH(quint32, elapsed);
    QFETCH(bool, hidden);
    auto bar = makeBar(plainSkin(), 640);
    const QPoint away = bar->window()->mapToGlobal(QPoint(300, -100));
    tick = start;
    cursor = away;
    bar->startAutoHide();
    tick = start + elapsed;
    cursor = away + move;
    bar->autoHide();
    QCOMPARE(bar->window()->isHidden(), hidden);
    QCoreApplication::processEvents();
    QCOMPARE(mainWindow.layoutRequests, hidden ? 1 : 0);
}

void TestPlayBar::hiddenBarComesBack()
{
    auto bar = makeBar(plainSkin(), 640);
    QWidget *window = bar->window();
    const QPoint away = window->mapToGlobal(QPoint(300, -100));
    const QPoint onBar = window->mapToGlobal(QPoint(300, 10));
    tick = 1000;
    cursor = onBar;
    bar->startAutoHide();
    tick = 60000;
    bar->autoHide(); // resting on the bar keeps it
    QVERIFY(!window->isHidden());

    cursor = away;
    bar->autoHide(); // a move: the count starts here
    tick += 5000;
    bar->autoHide();
    QVERIFY(!window->isHidden());
    tick += 1;
    bar->autoHide();
    QVERIFY(window->isHidden());
    QCoreApplication::processEvents();
    QCOMPARE(mainWindow.layoutRequests, 1);
    cursor = onBar + QPoint(40, 0); // inside the hidden bar's strip
    bar->autoHide();
    QVERIFY(window->isHidden());
    cursor = away + QPoint(4, 4);
    bar->autoHide();
    QVERIFY(window->isHidden());
    cursor = away + QPoint(5, 0);
    bar->autoHide();
    QVERIFY(!window->isHidden());
    QCoreApplication::processEvents();
    QCOMPARE(mainWindow.layoutRequests, 2);

    bar->reset(); // off until armed again
    tick += 100000;
    cursor = away;
    bar->autoHide();
    QVERIFY(!window->isHidden());
}

void TestPlayBar::timeBurstDuringResize()
{
    auto bar = makeBar(plainSkin(), 640);
    startPlaying(0, 600000);
    QWidget *window = bar->window();
    // Time events come from the engine through the controller, queued on the GUI thread,
    // with the bar resized between them.
    const int widths[] = {800, 600, 1000, 720};
    libvlc_event_t event{};
    event.type = libvlc_MediaPlayerTimeChanged;
    for (int i = 1; i <= 40; ++i) {
        QMetaObject::invokeMethod(
            window, [this, i] { logic->fake()->time = i * 7000; }, Qt::QueuedConnection);
        PlayLogic::handleProc(&event, nullptr);
        if (i % 10 == 0) {
            QMetaObject::invokeMethod(
                window, [window, width = widths[i / 10 - 1]] { window->resize(width, 36); },
                Qt::QueuedConnection);
        }
    }
    QTRY_COMPARE(window->width(), 720);
    QCoreApplication::processEvents();
    const QImage shot = window->grab().toImage();

    // A bar made at the final width and shown the final position draws the same pixels.
    QWidget otherHost;
    otherHost.resize(720, 36);
    otherHost.show();
    PlayBar reference(plainSkin());
    QVERIFY(reference.create(&otherHost));
    QVERIFY(reference.createFont());
    reference.window()->setGeometry(0, 0, 720, 36);
    reference.updateProgress();
    QCOMPARE(shot, reference.window()->grab().toImage());

    const QRect rect = bar->controlRect(TimeSlider);
    const int travel = rect.width() - 12;
    QCOMPARE(firstColumn(shot, centreRow(rect), rect.x(), kTimeKnob),
             rect.x() + int(280000LL * travel / 600000));
}

void TestPlayBar::progressRepaintsOnlyTheStrips()
{
    auto bar = makeBar(plainSkin(), 640);
    startPlaying(15000, 60000);
    QWidget *window = bar->window();
    QTRY_VERIFY(window->isVisible());
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    window->installEventFilter(&recorder);

    bar->updateProgress();
    logic->volume = 30;
    bar->updateVolume();
    QTRY_VERIFY(!recorder.painted.isEmpty());
    QCoreApplication::processEvents();
    const QRect time = bar->controlRect(TimeSlider);
    const QRect volume = bar->controlRect(VolumeSlider);
    QCOMPARE(recorder.painted,
             QRegion(time.x(), 0, time.width(), 36) + QRegion(volume.x(), 0, volume.width(), 36));
}

QTEST_MAIN(TestPlayBar)
#include "tst_playbar.moc"
