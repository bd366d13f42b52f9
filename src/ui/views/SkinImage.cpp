#include "ui/views/SkinImage.h"

#include <QFile>

using namespace Qt::StringLiterals;

std::optional<QImage> loadPngResource(const QString &root, const QString &name,
                                      qreal devicePixelRatio)
{
    const QString base = root + u'/' + name;
    if (devicePixelRatio > 1.0) {
        QImage sharp;
        if (QFile::exists(base + u"@2x.png"_s) && sharp.load(base + u"@2x.png"_s, "PNG")) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    if (!QFile::exists(base + u".png"_s))
        return std::nullopt;
    QImage image;
    if (!image.load(base + u".png"_s, "PNG"))
        return QImage();
    return image;
}
