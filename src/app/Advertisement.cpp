#include "app/Advertisement.h"

#include "app/Product.h"

#include <QCoreApplication>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kAdvertisementPage = u"https://ads.brightfold.example/ads/sonexa/ads.php";

using ShowFunction = int (*)(void *owner, const char16_t *name, const char16_t *url);

} // namespace

int showAdvertisement(QWidget *owner)
{
    // Beside the executable first, then wherever the library path finds it.
    QLibrary library(QCoreApplication::applicationDirPath() + u"/libads"_s);
    if (!library.load()) {
        library.setFileName(u"ads"_s);
        if (!library.load())
            return -1;
    }
    const auto show = reinterpret_cast<ShowFunction>(library.resolve("libads_show"));
    if (!show)
        return -1;
    return show(owner, Product::kDisplayName, kAdvertisementPage);
}
