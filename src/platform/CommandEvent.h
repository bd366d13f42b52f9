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
