#pragma once

class QWidget;

// The modal About box: "Sonexa, Version 1.0", a notice and OK.
void showAboutBox(QWidget *owner);
