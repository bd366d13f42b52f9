#pragma once

#include <QEvent>

class QObject;

// A command for the main window, always posted (never sent), so it runs after the handler
// that issued it has returned, in the order commands were issued.
class CommandEvent : public QEvent {
public:
    static const QEvent::Type kType;

    explicit CommandEvent(int id);
    int id() const { return commandId; }

private:
    int commandId;
};

// Posts the command to the receiver (the main window); does nothing without a receiver.
void postCommand(QObject *receiver, int id);

// Asks the main window to lay itself out again, after the control bar hid or showed itself.
// Qt's own LayoutRequest cannot carry this: Qt posts one whenever a child is shown or hidden,
// and the layout itself hides and shows the bar.
extern const QEvent::Type kMainLayoutRequest;
void postMainLayoutRequest(QObject *receiver);
