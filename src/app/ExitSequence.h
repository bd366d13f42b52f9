#pragma once

// Closing the main window: the advertisement panel may keep it open; otherwise the placement
// is recorded, playback stops, the views, the engine and the controller go in that order, and
// the main loop ends.
void onClose();
