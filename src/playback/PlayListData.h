#pragma once

#include "playback/PlayListEntry.h"

#include <QList>
#include <QStringList>

// The playlist: the supported files of the opened file's folder, sorted by path, with the
// opened file marked current. Indexes are -1 for "no entry".
class PlayListData {
public:
    PlayListData() = default;
    virtual ~PlayListData() = default;

    // Lists the folder of the given file; returns the number of entries.
    int scanFolder(const QString &path);
    bool isSupported(const QString &path);
    int count() const;
    int currentIndex() const;
    void setCurrent(int index);
    QString pathAt(int index) const;
    bool removeAt(int index);

private:
    void sortEntries();

    QList<PlayListEntry> entries;
    QStringList extensions;
};

// Folds A-Z only: the same in every locale, so name tests do not depend on the user's.
QString asciiLower(QStringView text);
// The text after the last path separator, or the whole path when there is none.
QString fileNameOf(const QString &path);
// Appends the ";"-separated pieces of text to tokens; returns how many tokens there are then.
int splitList(const QString &text, QStringList &tokens);
