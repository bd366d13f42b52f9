#pragma once

class QWidget;

// Shows the advertisement panel of the optional libads library and returns its answer: 2 keeps
// the program open. Without the library, or without its function, the answer is -1.
int showAdvertisement(QWidget *owner);
