#pragma once
// Window > Tabbed Windows: the MDI area shows its windows either overlapping
// (the default) or as tabs, one per window, named by the window's file (the
// whole title as the tab's tool tip) and closed with their close buttons as
// Ctrl+F4 closes a window. Every window keeps its place among overlapping
// windows while tabs are shown (CNuvChild::OverlapPlace): the workspace
// records it, and switching back puts each window where it was, minimised or
// maximised as it was. The choice is kept in the profile.
#include <QObject>
#include <QString>
#include <functional>

class CNuvChild;
class QMdiArea;

class CTabbedWindows : public QObject {
    Q_OBJECT
public:
    // `output` is the output window, which is out of the area while hidden.
    CTabbedWindows(QMdiArea* area, std::function<CNuvChild*()> output);

    bool IsOn() const;
    // Tabs on or off; the profile is not touched.
    void SetOn(bool on);
    // Tab names and tool tips from the windows' titles, which change (Save
    // As, a run names its model in the output window's title).
    void Refresh();

    // The choice kept in the profile, and keeping it.
    static bool FromProfile();
    static void ToProfile(bool on);
    // A tab's name for a window's title: every folder of the path in it
    // left out ("/m/a.nuv" -> "a.nuv", "Output - /m/a.nuv" -> "Output - a.nuv").
    static QString TabText(const QString& title);

private:
    QMdiArea* m_area;
    std::function<CNuvChild*()> m_output;
};
