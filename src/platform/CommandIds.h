#pragma once

// The command ids shared by the keyboard shortcuts, the pane's context menu, the pane's
// double-click and the control bar's buttons.
namespace CommandId {
inline constexpr int ID_ABOUT = 104;
inline constexpr int ID_OPEN = 32771;
inline constexpr int ID_EXIT = 32774;
inline constexpr int ID_FULL_SCREEN = 32778;
inline constexpr int ID_LEAVE_FULL_SCREEN = 32780;
inline constexpr int ID_PLAY = 32784;
inline constexpr int ID_PAUSE = 32785;
inline constexpr int ID_STOP = 32786;
inline constexpr int ID_CLOSE = 32790;
inline constexpr int ID_MUTE = 32806;
inline constexpr int ID_MOVE_FORWARD = 32810;
inline constexpr int ID_PREVIOUS = 32815;
inline constexpr int ID_NEXT = 32816;
inline constexpr int ID_MOVE_BACKWARD = 32817;
inline constexpr int ID_VOLUME_UP = 32820;
inline constexpr int ID_VOLUME_DOWN = 32821;
} // namespace CommandId
