#include "platform/BreakKey.h"

#include <QKeyEvent>

namespace {
constexpr quint32 kKeysymBreak = 0xff6b;
}

bool IsBreakKey(const QKeyEvent* key)
{
    if (key->key() == Qt::Key_Cancel)
        return true;
    if (key->key() == Qt::Key_Pause && (key->modifiers() & Qt::ControlModifier))
        return true;
    return key->key() == 0 && key->nativeVirtualKey() == kKeysymBreak;
}
