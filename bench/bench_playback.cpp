#include "app/ApplicationState.h"
#include "engine/MediaPlayer.h"
#include "playback/PlayLogic.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void benchScan(int files)
{
    QTemporaryDir dir;
    for (int i = 0; i < files; ++i)
        QFile(dir.filePath(u"Track %1.flac"_s.arg(i))).open(QIODevice::WriteOnly);
    const QString opened = dir.filePath(u"Track 0.flac"_s);
    std::vector<double> ms;
    int count = 0;
    for (int run = 0; run < 7; ++run) {
        PlayListData list;
        QElapsedTimer clock;
        clock.start();
        count = list.scanFolder(opened);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("scanFolder %6d files: median %7.2f ms, min %7.2f ms (%d entries, 7 runs)\n", files,
                median(ms), *std::min_element(ms.begin(), ms.end()), count);
}

void benchTimeToPlaying()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tone.flac"_s);
    QProcess::execute(u"sox"_s, {u"-n"_s, u"-r"_s, u"44100"_s, u"-c"_s, u"2"_s, path, u"synth"_s,
                                 u"3"_s, u"sine"_s, u"440"_s});
    std::vector<double> ms;
    for (int run = 0; run < 10; ++run) {
        PlayLogic logic;
        appState.playLogic = &logic;
        QElapsedTimer clock;
        clock.start();
        if (!logic.openFile(path)) {
            std::printf("time to Playing: could not open %s\n", qPrintable(path));
            return;
        }
        logic.play();
        while (logic.player->getState() != EngineState::Playing && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        logic.stop();
        appState.playLogic = nullptr;
    }
    std::printf("openFile + play to Playing (new engine each run): median %.1f ms, min %.1f ms "
                "(10 runs)\n",
                median(ms), *std::min_element(ms.begin(), ms.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    benchScan(10000);
    benchScan(50000);
    benchTimeToPlaying();
    return 0;
}
