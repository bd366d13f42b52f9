#pragma once

#include "app/MediaPlayerApp.h"

// This program's application object.
class Sonexa : public MediaPlayerApp {};
