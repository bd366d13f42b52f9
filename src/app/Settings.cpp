#include "app/Settings.h"

#include "app/ApplicationState.h"
#include "app/Product.h"
#include "platform/SettingsStore.h"

using namespace Qt::StringLiterals;

namespace {

constexpr auto kPlacementValue = u"MAIN_WP";

SettingsStore placementStore()
{
    return SettingsStore(QString::fromUtf16(Product::kMaker),
                         QString::fromUtf16(Product::kCompactName));
}

} // namespace

bool loadSettings()
{
    appState.hasPlacement = false;
    appState.placement = WindowPlacement();
    // Missing, of another kind, or not exactly 44 bytes: as if never stored.
    const auto bytes = placementStore().readBinary(QString::fromUtf16(kPlacementValue));
    if (const auto placement = bytes ? WindowPlacement::decode(*bytes) : std::nullopt) {
        appState.placement = *placement;
        appState.hasPlacement = true;
    }
    return true;
}

bool saveSettings()
{
    if (appState.hasPlacement)
        placementStore().writeBinary(QString::fromUtf16(kPlacementValue),
                                     appState.placement.encode());
    return true;
}
