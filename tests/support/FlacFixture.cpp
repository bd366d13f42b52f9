#include "support/FlacFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

bool FlacFixture::write(const QString &path, double seconds, int frequencyHz)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess sox;
    sox.start(u"sox"_s, {u"-n"_s, u"-r"_s, u"44100"_s, u"-c"_s, u"2"_s, u"-b"_s, u"16"_s, path,
                         u"synth"_s, QString::number(seconds), u"sine"_s,
                         QString::number(frequencyHz), u"vol"_s, u"0.2"_s});
    if (!sox.waitForFinished(30000) || sox.exitStatus() != QProcess::NormalExit ||
        sox.exitCode() != 0) {
        qWarning("sox failed for %s: %s", qPrintable(path), sox.readAllStandardError().constData());
        return false;
    }
    return true;
}
