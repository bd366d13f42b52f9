#include "platform/InputClock.h"

#include <QCursor>
#include <QElapsedTimer>

namespace {

std::function<quint32()> &tickSource()
{
    static std::function<quint32()> source;
    return source;
}

std::function<QPoint()> &cursorSource()
{
    static std::function<QPoint()> source;
    return source;
}

} // namespace

quint32 InputClock::tickCount()
{
    if (tickSource())
        return tickSource()();
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    // Starts near zero and wraps after 49.7 days, as the callers expect of a tick count.
    return quint32(clock.elapsed());
}

QPoint InputClock::cursorPos()
{
    return cursorSource() ? cursorSource()() : QCursor::pos();
}

void InputClock::setSource(std::function<quint32()> tick, std::function<QPoint()> cursor)
{
    tickSource() = std::move(tick);
    cursorSource() = std::move(cursor);
}
