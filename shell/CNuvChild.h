#pragma once
// The common base of the two kinds of child window. The frame learns a child's
// kind only by comparing m_className with g_editorClass or g_outputClass, and
// reaches it through the eight operations below without knowing its kind.
#include <QMdiSubWindow>
#include <optional>

#include "platform/Placement.h"
#include "platform/Win32Types.h"

// Names of the two window classes registered at start-up.
extern const char* const g_editorClass;
extern const char* const g_outputClass;

class CNuvChild : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CNuvChild(QWidget* parent = nullptr);
    ~CNuvChild() override;

    // Points at a string that outlives the window.
    const char* m_className = "CNuvChild";

    // True exactly when `className` equals m_className byte for byte.
    virtual BOOL IsWindowClass(const char* className) const;
    virtual void UpdatePositionPanes();
    virtual BOOL FindText(const char* text, BOOL down, BOOL matchCase);
    virtual void ReplaceAll(const char* findText, const char* replaceText, BOOL down, BOOL matchCase);
    virtual void ReplaceSelection(const char* replaceText);
    // Whether the selection is exactly `text` (the letters A to Z folded without
    // matchCase): Replace and Replace All replace a selection only then.
    virtual BOOL SelectionIs(const char* text, BOOL matchCase);
    virtual void PrintText(BOOL selectionOnly);
    virtual BOOL SaveAs();
    virtual const char* GetFindText();

    // Commands the child handles itself (the editor's text commands); false when
    // the child does not handle `id`, so the frame does.
    virtual bool OnCommand(int id);

    // The geometry the window has, or returns to from minimised or maximised
    // (the normal rectangle of its placement), in its area's coordinates.
    QRect NormalGeometry() const;

    // The window's place among overlapping windows: its normal rectangle and
    // whether it is minimised or maximised. While its area shows tabs, where
    // the area puts the window says nothing of that place: the place is kept
    // as it was when the tabs came, or as the window was first shown among
    // them, and what the workspace records and switching back restores.
    WindowPlace OverlapPlace() const;
    // Keeps the place as it is now (the area is about to show tabs).
    void KeepOverlapPlace();
    // A window put at `placement` (from the workspace) while the area shows
    // tabs, which need not show the window so: that is its place.
    void SetOverlapPlace(const WINDOWPLACEMENT& placement);
    // Puts the window back at its kept place (the area shows overlapping
    // windows again) and follows where the window goes from then on; a
    // window out of its area only forgets the kept place.
    void RestoreOverlapPlace();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void setVisible(bool visible) override;

private:
    void OnWindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    void NoteNormalGeometry();

    // An MDI child keeps its normal geometry to itself while minimised or
    // maximised; it is noted here whenever the window moves in neither state.
    QRect m_normalGeometry;
    // Set while the area shows tabs.
    std::optional<WindowPlace> m_overlapPlace;
};

// Whether `window`'s area shows its windows as tabs.
bool ShowsTabs(const QMdiSubWindow* window);
