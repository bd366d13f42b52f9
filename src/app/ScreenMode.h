#pragma once

#include "platform/WindowPlacement.h"

class QWidget;

// The main window's geometry: the pane above the control bar, the minimum and default sizes,
// full-screen mode, and the placement that is remembered while the window is framed.
void layoutMainWindow();
void enterFullScreen();
void leaveFullScreen();
void rememberPlacement();

// The placement of a framed window as it is stored, and its application to a window.
WindowPlacement capturePlacement(const QWidget &window);
void applyPlacement(QWidget &window, const WindowPlacement &placement);
