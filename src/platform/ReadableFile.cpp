#include "platform/ReadableFile.h"

#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

bool isReadableFile(const QString &path)
{
    if (path.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; the type is checked on the
    // descriptor, so nothing can be swapped in between the check and the open.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
#else
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
#endif
}
