#include "platform/CommandEvent.h"

#include <QCoreApplication>

const QEvent::Type CommandEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

CommandEvent::CommandEvent(int id)
    : QEvent(kType)
    , commandId(id & 0xFFFF)
{}

void postCommand(QObject *receiver, int id)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new CommandEvent(id));
}

const QEvent::Type kMainLayoutRequest = static_cast<QEvent::Type>(QEvent::registerEventType());

void postMainLayoutRequest(QObject *receiver)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new QEvent(kMainLayoutRequest));
}
