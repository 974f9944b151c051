#include "platform/IdleHook.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

IdleHook::IdleHook(Handler handler, QObject* parent) : QObject(parent), m_handler(std::move(handler))
{
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleHook::Run);
}

void IdleHook::Run()
{
    if (m_inside || !m_handler)
        return;
    m_inside = true;
    m_handler();
    m_inside = false;
}
