#pragma once

// What the playback controller needs of the control bar.
class PlayBarView {
public:
    virtual ~PlayBarView() = default;

    // Ends a slider drag, switches auto-hide off, forgets the shown length, redraws progress.
    virtual void reset() = 0;
    // Sets the buttons from the engine state and from whether the playlist can be walked.
    virtual void refreshButtons() = 0;
    // Reads time and length from the engine and redraws the time display.
    virtual void updateProgress() = 0;
    // Shows 0 while muted, else the controller's volume.
    virtual void updateVolume() = 0;
};
