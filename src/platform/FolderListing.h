#pragma once

#include <QStringList>

#include <functional>

// Lists the names of the readable regular files in one folder (subfolders are not entered).
// The wanted test sees each candidate name first, so files the caller does not want are
// never touched. Nothing is opened, so a FIFO or a device can never block the listing.
class FolderListing {
public:
    static QStringList readableFiles(const QString &folder,
                                     const std::function<bool(const QString &name)> &wanted);
};
