#pragma once

#include <QString>

// One file of the folder playlist.
struct PlayListEntry {
    int isCurrent = 0;
    QString path;
};
