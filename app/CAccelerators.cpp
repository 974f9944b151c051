#include "app/CAccelerators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "platform/BreakKey.h"
#include "platform/CommandEvent.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"

namespace {
// Ctrl+F4 closes the active child window itself (its own close handling).
constexpr int kCloseChild = -1;
}

CAccelerators::CAccelerators(QWidget* frame) : QObject(frame), m_frame(frame)
{
    for (const CommandInfo& command : CommandTable()) {
        if (!command.accelerator)
            continue;
        const QKeySequence sequence(QString::fromLatin1(command.accelerator));
        if (!sequence.isEmpty())
            m_keys[sequence[0].toCombined()] = command.id;
    }
    m_keys[QKeyCombination(Qt::ControlModifier, Qt::Key_F4).toCombined()] = kCloseChild;
    qApp->installEventFilter(this);
}

int CAccelerators::CommandOf(QKeyCombination key) const
{
    Qt::KeyboardModifiers modifiers = key.keyboardModifiers() & ~Qt::KeypadModifier;
    const auto it = m_keys.find(QKeyCombination(modifiers, key.key()).toCombined());
    return it != m_keys.end() ? it->second : 0;
}

bool CAccelerators::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_frame)
        return false;  // dialogs and menus keep their keys
    auto* key = static_cast<QKeyEvent*>(event);
    // Ctrl+Break reaches the run as a Terminate request; with no run it is dropped.
    const int id = IsBreakKey(key) ? ID_RUN_TERMINATE : CommandOf(key->keyCombination());
    if (id == 0)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key so no widget shortcut takes it; the key press follows.
        event->accept();
        return true;
    }
    if (id == kCloseChild) {
        if (auto* area = m_frame->findChild<QMdiArea*>(); area && area->activeSubWindow())
            area->activeSubWindow()->close();
    } else {
        PostCommand(m_frame, id);
    }
    return true;
}
