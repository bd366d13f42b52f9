#pragma once

class QSize;

// The main window's view of the pane and the control bar: creating and destroying them, and
// the few things the shell needs of them. Each call does nothing while its view is absent.
bool createViews();
void destroyViews();

int barHeight();
bool isBarVisible();
void hideBar();
// Puts the pane over the client area less the reserved height and the bar along the bottom.
void placeViews(QSize client, int reserved, bool showBar);
void refreshBarButtons();
void updateBarVolume();
// The views' share of the main window's timer tick: the pane's cursor, then (after the
// controller's poll) the bar's auto-hide.
void paneTimerTick();
void barTimerTick();
