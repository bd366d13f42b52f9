#pragma once

#include <QPoint>
#include <QtGlobal>

#include <functional>

// The millisecond tick count (32 bits, wrapping) and the cursor position that the auto-hide
// rules of the pane and the control bar read. Tests drive both through setSource, so the
// five-second rules are tested without sleeping.
class InputClock {
public:
    static quint32 tickCount();
    static QPoint cursorPos();

    // Replaces the real clock and cursor; pass empty functions to go back to the real ones.
    static void setSource(std::function<quint32()> tick, std::function<QPoint()> cursor);
};
