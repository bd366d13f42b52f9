#include "app/ApplicationState.h"
#include "engine/MediaPlayer.h"
#include "playback/PlayLogic.h"
#include "support/FakeMediaPlayer.h"
#include "support/ScriptedPlayLogic.h"
#include "ui/controlbar/PlayBar.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using namespace BarControl;

namespace {

const QColor kTrack(0, 0, 255);
const QColor kKnob(255, 0, 0);
const QColor kSharpKnob(255, 128, 0);

void writeImage(const QString &path, QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

} // namespace

// Run with QT_SCALE_FACTOR set: the bar keeps its logical layout and draws at the screen's
// own resolution, from the @2x images where there are some.
class TestPlayBarScaled : public QObject {
    Q_OBJECT

private slots:
    void sharpAtScreenResolution();
};

void TestPlayBarScaled::sharpAtScreenResolution()
{
    const qreal ratio = qApp->devicePixelRatio();
    if (ratio == 1.0)
        QSKIP("run with QT_SCALE_FACTOR set");
    QTemporaryDir skin;
    writeImage(skin.filePath(u"IDB_TIME_BKG.png"_s), {4, 12}, kTrack);
    writeImage(skin.filePath(u"IDB_TIME_BKG@2x.png"_s), {8, 24}, kTrack);
    writeImage(skin.filePath(u"IDB_TIME_BALL.png"_s), {12, 12}, kKnob);
    writeImage(skin.filePath(u"IDB_TIME_BALL@2x.png"_s), {24, 24}, kSharpKnob);
    writeImage(skin.filePath(u"IDB_NEXT.png"_s), {36, 32}, kKnob);
    writeImage(skin.filePath(u"IDB_NEXT@2x.png"_s), {72, 64}, kSharpKnob);

    ScriptedPlayLogic logic;
    appState.playLogic = &logic;
    QVERIFY(logic.createMediaPlayer(EngineType::Vlc));
    logic.fake()->state = EngineState::Playing;
    logic.fake()->time = 15000;
    logic.fake()->length = 60000;

    QWidget host;
    host.resize(800, 100);
    host.show();
    PlayBar bar(skin.path(), ratio);
    QVERIFY(bar.create(&host));
    QVERIFY(bar.createFont());
    appState.playBar = &bar;
    bar.window()->setGeometry(0, 0, 640, bar.barHeight());
    QCOMPARE(bar.window()->devicePixelRatioF(), ratio);
    bar.updateProgress();

    // Next stands alone at the left; the time slider begins right after it.
    QCOMPARE(bar.controlRect(Next), QRect(1, -2, 36, 32));
    const QRect slider = bar.controlRect(TimeSlider);
    QCOMPARE(slider, QRect(38, 11, 640 - 1 - 38, 12));

    const QImage shot = bar.window()->grab().toImage();
    QCOMPARE(shot.size(), QSize(qCeil(640 * ratio), qCeil(27 * ratio)));
    const int row = int((slider.y() + 6) * ratio);
    const int played = int(15000LL * (slider.width() - 12) / 60000);
    int first = -1;
    int knobPixels = 0;
    int blended = 0;
    for (int x = int(slider.x() * ratio) + 1; x < int((slider.x() + slider.width()) * ratio) - 1;
         ++x) {
        const QColor colour = shot.pixelColor(x, row);
        if (colour == kSharpKnob) {
            first = first < 0 ? x : first;
            ++knobPixels;
        } else if (colour != kTrack) {
            ++blended;
        }
    }
    // The knob comes from the @2x image, at its place in screen pixels, with edges at most one
    // pixel soft where the place falls between screen pixels.
    QVERIFY(std::abs(first - (slider.x() + played) * ratio) <= 1);
    QVERIFY(std::abs(knobPixels - 12 * ratio) <= 1);
    QVERIFY2(blended <= (ratio == std::floor(ratio) ? 0 : 2), qPrintable(QString::number(blended)));
}

QTEST_MAIN(TestPlayBarScaled)
#include "tst_playbarscaled.moc"
