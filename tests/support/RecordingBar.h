#pragma once

#include "playback/PlayBarView.h"

#include <QSet>
#include <QStringList>
#include <QThread>

// Stands in for the control bar and records which of its operations ran, and on which thread.
class RecordingBar : public PlayBarView {
public:
    void reset() override { record(QStringLiteral("reset")); }
    void refreshButtons() override { record(QStringLiteral("refreshButtons")); }
    void updateProgress() override { record(QStringLiteral("updateProgress")); }
    void updateVolume() override { record(QStringLiteral("updateVolume")); }

    QStringList calls;
    QSet<QThread *> threads;

private:
    void record(const QString &call)
    {
        calls << call;
        threads << QThread::currentThread();
    }
};
