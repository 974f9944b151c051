#include "shell/CNuvChild.h"

#include <QMdiArea>
#include <cstring>

#include "shell/IMainFrame.h"

const char* const g_editorClass = "NuvEditWindow";
const char* const g_outputClass = "NuvOutputWindow";

CNuvChild::CNuvChild(QWidget* parent) : QMdiSubWindow(parent)
{
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CNuvChild::OnWindowStateChanged);
}

CNuvChild::~CNuvChild()
{
    // The base class still changes state while it is destroyed; this object's
    // handler must no longer hear of it.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, &CNuvChild::OnWindowStateChanged);
    if (IMainFrame* frame = TheFrame(); frame && frame->ActiveChild() == this)
        frame->SetActiveChild(nullptr);
}

BOOL CNuvChild::IsWindowClass(const char* className) const
{
    return className && m_className && std::strcmp(className, m_className) == 0;
}

void CNuvChild::UpdatePositionPanes() {}

BOOL CNuvChild::FindText(const char*, BOOL, BOOL)
{
    return FALSE;
}

void CNuvChild::ReplaceAll(const char*, const char*, BOOL, BOOL) {}

void CNuvChild::ReplaceSelection(const char*) {}

BOOL CNuvChild::SelectionIs(const char*, BOOL)
{
    return FALSE;
}

void CNuvChild::PrintText(BOOL) {}

BOOL CNuvChild::SaveAs()
{
    return TRUE;
}

const char* CNuvChild::GetFindText()
{
    return nullptr;
}

bool CNuvChild::OnCommand(int)
{
    return false;
}

// Activation within the MDI area: the desktop sends no MDI deactivation when the
// whole program loses the focus to a dialog, so neither does this.
void CNuvChild::OnWindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState)
{
    IMainFrame* frame = TheFrame();
    if (!frame)
        return;
    const bool wasActive = oldState & Qt::WindowActive;
    const bool isActive = newState & Qt::WindowActive;
    if (isActive && !wasActive) {
        frame->SetActiveChild(this);
    } else if (wasActive && !isActive && frame->ActiveChild() == this) {
        QMdiArea* area = mdiArea();
        const bool programLostFocus = area && area->activeSubWindow() == nullptr && !area->window()->isActiveWindow() &&
                                      area->subWindowList().contains(this) && isVisible();
        if (!programLostFocus)
            frame->SetActiveChild(nullptr);
    }
}

QRect CNuvChild::NormalGeometry() const
{
    const bool special = windowState() & (Qt::WindowMinimized | Qt::WindowMaximized);
    return special && m_normalGeometry.isValid() ? m_normalGeometry : geometry();
}

// Qt sets the new state before it moves the window into it, so a move in
// neither state is a move of the normal geometry.
void CNuvChild::NoteNormalGeometry()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        m_normalGeometry = geometry();
}

WindowPlace CNuvChild::OverlapPlace() const
{
    if (m_overlapPlace)
        return *m_overlapPlace;
    return {NormalGeometry(), windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)};
}

void CNuvChild::KeepOverlapPlace()
{
    if (!m_overlapPlace)
        m_overlapPlace = OverlapPlace();
}

void CNuvChild::SetOverlapPlace(const WINDOWPLACEMENT& placement)
{
    if (ShowsTabs(this))
        m_overlapPlace = PlaceFromPlacement(placement);
}

void CNuvChild::RestoreOverlapPlace()
{
    if (!m_overlapPlace)
        return;
    const WindowPlace place = *m_overlapPlace;
    m_overlapPlace.reset();
    // A window out of its area (the hidden output window) only forgets the
    // place: it is placed when it is shown again.
    if (!mdiArea() || isHidden())
        return;
    showNormal();
    if (place.normal.isValid())
        setGeometry(place.normal);
    if (place.state & Qt::WindowMinimized)
        showMinimized();
    else if (place.state & Qt::WindowMaximized)
        showMaximized();
}

// A window first shown among tabs keeps the place it is shown with: here,
// before the area hears of the showing and maximises it as the active tab.
void CNuvChild::setVisible(bool visible)
{
    if (visible && ShowsTabs(this))
        KeepOverlapPlace();
    QMdiSubWindow::setVisible(visible);
}

bool ShowsTabs(const QMdiSubWindow* window)
{
    const QMdiArea* area = window ? window->mdiArea() : nullptr;
    return area && area->viewMode() == QMdiArea::TabbedView;
}

void CNuvChild::moveEvent(QMoveEvent* event)
{
    NoteNormalGeometry();
    QMdiSubWindow::moveEvent(event);
}

void CNuvChild::resizeEvent(QResizeEvent* event)
{
    NoteNormalGeometry();
    QMdiSubWindow::resizeEvent(event);
}

void CNuvChild::focusInEvent(QFocusEvent* event)
{
    QMdiSubWindow::focusInEvent(event);
    if (IMainFrame* frame = TheFrame())
        frame->SetActiveChild(this);
}

void CNuvChild::focusOutEvent(QFocusEvent* event)
{
    if (IMainFrame* frame = TheFrame(); frame && frame->ActiveChild() == this && !isAncestorOf(focusWidget()))
        frame->SetActiveChild(nullptr);
    QMdiSubWindow::focusOutEvent(event);
}
