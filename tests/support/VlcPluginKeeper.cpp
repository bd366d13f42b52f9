#include "support/VlcPluginKeeper.h"

#include <vlc/vlc.h>

void keepVlcPluginsLoaded()
{
    static libvlc_instance_t *const keeper = libvlc_new(0, nullptr);
    (void)keeper;
}
