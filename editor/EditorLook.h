#pragma once
// The two View choices every editor window follows: syntax colours and line
// numbers, both on unless the profile says otherwise. The choice is kept in the
// profile as soon as it is made; the workspace file does not hold it.
struct EditorLook {
    bool colours = true;
    bool lineNumbers = true;

    static EditorLook FromProfile();
    void ToProfile() const;
};

// The choice the editor windows follow now: made with the frame from the
// profile, changed by the View menu.
EditorLook& CurrentEditorLook();
