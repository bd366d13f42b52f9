#pragma once

// The stored window placement (MAIN_WP), read at start and written at exit.
bool loadSettings();
bool saveSettings();
