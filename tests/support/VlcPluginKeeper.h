#pragma once

// Keeps libvlc's plugins loaded until the test process ends. libvlc unloads them when its
// last instance goes; LeakSanitizer then cannot name the library a plugin's leak came from,
// and the suppression for libvlc's modules cannot apply.
void keepVlcPluginsLoaded();
