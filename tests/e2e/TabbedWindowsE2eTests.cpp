// Window > Tabbed Windows as a modeller uses it: windows placed, minimised and
// maximised, tabs on, windows opened, run and closed among the tabs, an exit
// and a new start with tabs still on, and tabs off again.
#include <QAbstractButton>
#include <QFile>
#include <QMdiArea>
#include <QTabBar>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "app/CTabbedWindows.h"
#include "config/CConfigFile.h"
#include "config/CWorkspaceReader.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "platform/Profile.h"
#include "res/CommandIds.h"

namespace {

// A window's place as a person sees it among overlapping windows.
struct Place {
    QRect normal;
    int state;  // 0, minimised 1, maximised 2
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p)
{
    return out << p.normal.x() << "," << p.normal.y() << " " << p.normal.width() << "x" << p.normal.height()
               << " state " << p.state;
}

class TabbedWindowsE2e : public FrameFixture {
protected:
    ~TabbedWindowsE2e() override { Profile::RemoveKey("Options", "TabbedWindows"); }

    QMdiArea& Area() const { return *Frame().MdiArea(); }
    QTabBar* Tabs() const { return Area().findChild<QTabBar*>(); }
    // A click on the close button of tab `index`.
    void CloseTab(int index) const
    {
        auto* button = qobject_cast<QAbstractButton*>(Tabs()->tabButton(index, QTabBar::RightSide));
        ASSERT_NE(button, nullptr);
        button->click();
        Idle();
    }
    CNuvEdit* Editor(const std::string& path) const
    {
        return static_cast<CNuvEdit*>(Frame().FindEditorWindow(path.c_str()));
    }
    static Place Seen(const QMdiSubWindow* window)
    {
        const QRect normal = static_cast<const CNuvChild*>(window)->NormalGeometry();
        return {normal, window->isMinimized() ? 1 : window->isMaximized() ? 2 : 0};
    }
    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; Tabs() && i < Tabs()->count(); ++i)
            texts << Tabs()->tabText(i) + " | " + Tabs()->tabToolTip(i);
        return texts;
    }
    // The editors' places as the workspace file holds them, by name.
    std::map<std::string, Place> SavedPlaces() const
    {
        CConfigFile reader(QFile::encodeName(dir.path()).constData(), "_nuv_.cfg", CConfigFile::kRead);
        std::map<std::string, Place> places;
        if (reader.m_status != CFG_OK)
            return places;
        CWorkspaceReader::ReadFrame(reader);
        for (const SavedWindow& w : CWorkspaceReader::ReadWindows(reader)) {
            const RECT& r = w.placement.rcNormalPosition;
            const int state = w.placement.showCmd == SW_SHOWMINIMIZED ? 1 : w.placement.showCmd == SW_SHOWMAXIMIZED ? 2 : 0;
            places[w.isEditor ? std::string(w.name) : "output"] = {QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), state};
        }
        return places;
    }
    void Idle() const
    {
        DeliverPosted();
        Frame().OnIdle();
    }
};

TEST_F(TabbedWindowsE2e, TabsComeAndGoAndEveryWindowKeepsItsPlace)
{
    const std::string a = WriteModel("a.nuv", "print \"a\\n\";\n");
    const std::string b = WriteModel("b.nuv", "print \"b\\n\";\n");
    const std::string c = WriteModel("c.nuv", "print \"c\\n\";\n");
    Start({a, b, c});
    const std::map<std::string, Place> places = {
        {a, {QRect(10, 10, 300, 200), 0}}, {b, {QRect(40, 40, 300, 200), 1}}, {c, {QRect(70, 70, 300, 200), 2}}};
    for (const auto& [name, place] : places) {
        Area().setActiveSubWindow(Editor(name));
        Editor(name)->setGeometry(place.normal);
    }
    Editor(b)->showMinimized();
    Area().setActiveSubWindow(Editor(c));
    Editor(c)->showMaximized();

    // Tabs on: one tab per window, named by its file; nothing to arrange.
    Frame().OnCommand(ID_WINDOW_TABBED);
    Idle();
    ASSERT_EQ(Area().viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(Frame().CommandAction(ID_WINDOW_TABBED)->isChecked());
    EXPECT_EQ(TabTexts(), QStringList({"a.nuv | " + QString::fromStdString(a), "b.nuv | " + QString::fromStdString(b),
                                       "c.nuv | " + QString::fromStdString(c)}));
    for (int id : {ID_WINDOW_CASCADE, ID_WINDOW_TILE, ID_WINDOW_ARRANGE})
        EXPECT_FALSE(Frame().CommandAction(id)->isEnabled()) << id;
    EXPECT_EQ(Profile::GetInt("Options", "TabbedWindows", 0), 1);

    // A run adds the output window's tab, named after the model; a new window
    // opens as a tab of its own, not maximised among overlapping windows.
    Area().setActiveSubWindow(Editor(a));
    Frame().OnCommand(ID_RUN_ACTIVE);
    Frame().OnCommand(ID_FILE_NEW);
    Idle();
    ASSERT_EQ(Tabs()->count(), 5);
    EXPECT_EQ(TabTexts()[3], "Output - a.nuv | Output - " + QString::fromStdString(a));
    EXPECT_EQ(TabTexts()[4], "Untitled | Untitled");
    CNuvEdit* untitled = ActiveEditor();
    ASSERT_NE(untitled, nullptr);
    EXPECT_EQ(untitled->OverlapPlace().state & Qt::WindowMaximized, 0);

    // A tab's close button asks as Ctrl+F4 does: Cancel keeps the window.
    untitled->Edit().ReplaceSel("x = 1;\n");
    prompts.ExpectMessageBox(IDCANCEL);
    CloseTab(4);
    EXPECT_EQ(Tabs()->count(), 5);
    prompts.ExpectMessageBox(IDNO);
    CloseTab(4);
    EXPECT_EQ(Tabs()->count(), 4);
    // The output window's tab only hides it.
    CloseTab(3);
    EXPECT_EQ(Tabs()->count(), 3);
    EXPECT_TRUE(Output()->m_bHidden);

    // The exit records the places among overlapping windows; the next start
    // shows tabs again, and switching back puts every window in its place,
    // the active one on top.
    Area().setActiveSubWindow(Editor(c));
    Frame().OnCommand(ID_OPTIONS_SAVE_SETTINGS);
    Frame().OnCommand(ID_APP_EXIT);
    DeliverPosted();
    EXPECT_EQ(SavedPlaces(), places);
    Start();
    Idle();
    ASSERT_EQ(Area().viewMode(), QMdiArea::TabbedView);
    EXPECT_EQ(Tabs()->count(), 3);
    Frame().OnCommand(ID_WINDOW_TABBED);
    Idle();
    EXPECT_EQ(Area().viewMode(), QMdiArea::SubWindowView);
    for (const auto& [name, place] : places)
        EXPECT_EQ(Seen(Editor(name)), place) << name;
    EXPECT_EQ(Area().activeSubWindow(), Editor(c));
    EXPECT_EQ(Profile::GetInt("Options", "TabbedWindows", 1), 0);
}

}  // namespace

namespace {

// The output window's tab closed while its model runs: the window hides, the
// run goes on and its output is all there when the tab comes back.
TEST_F(TabbedWindowsE2e, TheOutputTabClosedDuringARunHidesItAndKeepsTheOutput)
{
    const std::string model = WriteModel("loop.nuv", "i = 0;\nwhile (i < 40) { sleep 5; i++; }\nprint \"done\\n\";\n");
    Start({model});
    Frame().OnCommand(ID_WINDOW_TABBED);
    bool closedWhileRunning = false;
    During(40, [&] {
        ASSERT_EQ(Tabs()->count(), 2);
        closedWhileRunning = Output()->m_bRunning;
        CloseTab(1);
    });
    Frame().OnCommand(ID_RUN_ACTIVE);
    Idle();
    EXPECT_TRUE(closedWhileRunning);
    EXPECT_TRUE(Output()->m_bHidden);
    EXPECT_EQ(Tabs()->count(), 1);
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"done"});
    Frame().OnCommand(ID_WINDOW_OUTPUT);
    Idle();
    ASSERT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->tabText(1), "Output - loop.nuv");
    EXPECT_EQ(Tabs()->currentIndex(), 1);
}

}  // namespace
