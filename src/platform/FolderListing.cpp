#include "platform/FolderListing.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include "platform/ReadableFile.h"

#include <QDirIterator>
#endif

#ifdef Q_OS_UNIX

namespace {

// A regular file, also behind a symbolic link, that this process may read. The type comes from
// the listing where the file system gives it, so most entries cost one access() call.
bool isReadableEntry(int dirFd, const dirent &entry)
{
    if (entry.d_type != DT_REG) {
        if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
            return false;
        struct stat st {};
        if (::fstatat(dirFd, entry.d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            return false;
    }
    return ::faccessat(dirFd, entry.d_name, R_OK, AT_EACCESS) == 0;
}

} // namespace

QStringList FolderListing::readableFiles(const QString &folder,
                                         const std::function<bool(const QString &)> &wanted)
{
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == u"." || name == u"..")
            continue;
        if (wanted(name) && isReadableEntry(fd, *entry))
            names.append(name);
    }
    ::closedir(dir);
    return names;
}

#else

QStringList FolderListing::readableFiles(const QString &folder,
                                         const std::function<bool(const QString &)> &wanted)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (wanted(name) && isReadableFile(it.filePath()))
            names.append(name);
    }
    return names;
}

#endif
