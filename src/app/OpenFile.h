#pragma once

#include <QList>
#include <QUrl>

class QString;

// Opening files: every way a file reaches the player ends in loadFile.
bool loadFile(const QString &path);
void chooseFile();
void onDropFiles(const QList<QUrl> &urls);
void updateTitle();
// A file handed over by a second copy: played, and the window brought forward.
void onHandOff(const QString &path);
