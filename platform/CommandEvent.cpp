#include "platform/CommandEvent.h"

#include <QCoreApplication>

QEvent::Type CommandEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostCommand(QObject* target, int id)
{
    QCoreApplication::postEvent(target, new CommandEvent(id));
}
