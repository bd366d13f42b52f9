#pragma once

#include <QLoggingCategory>

// Every trace of the program goes to this category, so QT_LOGGING_RULES="sonexa.debug=false"
// silences them all.
Q_DECLARE_LOGGING_CATEGORY(lcSonexa)
