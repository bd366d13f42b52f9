#include "playback/PlayListData.h"

#include "platform/FolderListing.h"

#include <QDir>

#include <algorithm>

namespace {

constexpr auto kSupportedExtensions = u"flac";

// UTF-16 units compared as unsigned numbers, a prefix before the longer text: case-sensitive
// and blind to numbers, so "B" < "a" and "10" < "2".
bool pathLess(const PlayListEntry &a, const PlayListEntry &b)
{
    const QStringView x = a.path;
    const QStringView y = b.path;
    return std::lexicographical_compare(x.utf16(), x.utf16() + x.size(), y.utf16(),
                                        y.utf16() + y.size());
}

} // namespace

int PlayListData::scanFolder(const QString &path)
{
    entries.clear();
    const qsizetype slash = path.lastIndexOf(QDir::separator());
    if (slash < 0)
        return 0;
    const QString folder = path.left(slash + 1);

    // Dot-files are never entries; the name test runs before the file is looked at.
    const QStringList names = FolderListing::readableFiles(folder, [&](const QString &name) {
        return !name.startsWith(u'.') && isSupported(folder + name);
    });
    entries.reserve(names.size());
    for (const QString &name : names) {
        const QString full = folder + name;
        entries.append(PlayListEntry{full == path ? 1 : 0, full});
    }
    sortEntries();
    return count();
}

bool PlayListData::isSupported(const QString &path)
{
    if (extensions.isEmpty())
        splitList(QString::fromUtf16(kSupportedExtensions), extensions);
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString ext = asciiLower(QStringView(path).mid(dot));
    return std::any_of(extensions.cbegin(), extensions.cend(),
                       [&ext](const QString &token) { return ext.contains(token); });
}

int PlayListData::count() const
{
    return int(entries.size());
}

int PlayListData::currentIndex() const
{
    const auto it = std::find_if(entries.cbegin(), entries.cend(),
                                 [](const PlayListEntry &e) { return e.isCurrent != 0; });
    return it == entries.cend() ? -1 : int(it - entries.cbegin());
}

void PlayListData::setCurrent(int index)
{
    if (index < 0 || index >= count())
        return;
    for (int i = 0; i < count(); ++i)
        entries[i].isCurrent = i == index ? 1 : 0;
}

QString PlayListData::pathAt(int index) const
{
    return index >= 0 && index < count() ? entries.at(index).path : QString();
}

bool PlayListData::removeAt(int index)
{
    if (index < 0 || index >= count())
        return false;
    entries.removeAt(index);
    return true;
}

void PlayListData::sortEntries()
{
    // Paths in one folder are distinct, so the order is total and any sort gives the same list.
    std::sort(entries.begin(), entries.end(), pathLess);
}

QString asciiLower(QStringView text)
{
    QString folded = text.toString();
    for (QChar &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QDir::separator()) + 1);
}

int splitList(const QString &text, QStringList &tokens)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype sep = text.indexOf(u';', pos);
        if (sep < 0) {
            tokens.append(text.mid(pos));
            break;
        }
        tokens.append(text.mid(pos, sep - pos));
        pos = sep + 1;
    }
    return int(tokens.size());
}
