#include "config/CWorkspaceRestorer.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <cstring>

#include "config/CFrameOnScreen.h"
#include "config/PlacementRules.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "platform/Placement.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

QList<QRect> CWorkspaceRestorer::ScreenBounds()
{
    QList<QRect> bounds;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        bounds << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            bounds << screen->availableGeometry();
    }
    bounds.removeIf([](const QRect& r) { return r.isEmpty(); });
    return bounds;
}

QList<QRect> CWorkspaceRestorer::ChildBounds()
{
    IMainFrame* frame = TheFrame();
    QSize size = frame && frame->MdiArea() ? frame->MdiArea()->viewport()->size() : QSize();
    if (QScreen* primary = QGuiApplication::primaryScreen())
        size = size.expandedTo(primary->virtualSize());
    return size.isEmpty() ? QList<QRect>{} : QList<QRect>{QRect(QPoint(0, 0), size)};
}

void CWorkspaceRestorer::PlaceFrame(QWidget* frame, const WINDOWPLACEMENT& placement)
{
    WINDOWPLACEMENT onScreen = placement;
    if (HasPlace(placement)) {
        const QRect fitted = CFrameOnScreen::Fitted(PlaceFromPlacement(placement).normal);
        onScreen.rcNormalPosition = PlacementFromPlace({fitted, Qt::WindowNoState}).rcNormalPosition;
    }
    SetWindowPlacement(frame, onScreen);
    CFrameOnScreen::Watch(frame);
}

void CWorkspaceRestorer::RestoreWindows(const std::vector<SavedWindow>& windows)
{
    const QList<QRect> bounds = ChildBounds();
    for (const SavedWindow& saved : windows) {
        const WINDOWPLACEMENT placement = PlacedOnBounds(saved.placement, bounds);
        if (saved.isEditor) {
            RestoreEditor(saved, placement);
        } else if (IMainFrame* frame = TheFrame(); frame && frame->Output()) {
            frame->Output()->ShowOutputWindow(&placement);
        }
    }
}

void CWorkspaceRestorer::RestoreEditor(const SavedWindow& saved, const WINDOWPLACEMENT& placement)
{
    const char* untitledName = LoadStringEntry(IDS_UNTITLED);
    const bool untitled = untitledName && std::strcmp(saved.name, untitledName) == 0;
    bool made = false;
    CNuvEdit* editor = CNuvEdit::CreateFromWorkspace(placement, untitled ? nullptr : saved.name, &made);
    if (!made) {
        MessageFromTable(IDS_NO_MEMORY_WINDOW, MB_ICONEXCLAMATION, {saved.name});
        return;
    }
    if (!editor)
        return;  // the load failed and said so
    if (untitled)
        editor->Focus();
    else
        editor->SetCaret(saved.line, saved.column);
}
