#include "platform/NoWrapResizeFilter.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QResizeEvent>

NoWrapResizeFilter::NoWrapResizeFilter(QPlainTextEdit* edit) : QObject(edit), m_edit(edit)
{
    edit->viewport()->installEventFilter(this);
}

bool NoWrapResizeFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Resize || m_edit->lineWrapMode() != QPlainTextEdit::NoWrap)
        return false;
    const auto* resize = static_cast<QResizeEvent*>(event);
    // The first resize, from no size, lays out an empty document: cheap, and it sets the edit up.
    if (resize->oldSize().width() < 0 || resize->oldSize().width() == resize->size().width())
        return false;
    QResizeEvent heightOnly(resize->size(), QSize(resize->size().width(), resize->oldSize().height()));
    QCoreApplication::sendEvent(watched, &heightOnly);
    return true;
}
