// The child-window base: kinds by class name and the frame's active child.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiArea>

#include "FakeFrame.h"
#include "shell/CNuvChild.h"

namespace {

CNuvChild* AddChild(FakeFrame& frame, const char* className)
{
    auto* child = new CNuvChild;
    child->m_className = className;
    child->setWidget(new QLabel("text"));
    frame.MdiArea()->addSubWindow(child);
    child->show();
    return child;
}

}  // namespace

TEST(ChildBase, KindIsDecidedByExactClassName)
{
    CNuvChild child;
    EXPECT_TRUE(child.IsWindowClass("CNuvChild"));
    child.m_className = g_editorClass;
    EXPECT_TRUE(child.IsWindowClass(g_editorClass));
    EXPECT_FALSE(child.IsWindowClass(g_outputClass));
    EXPECT_FALSE(child.IsWindowClass(QByteArray(g_editorClass).toLower().constData())) << "case counts";
    EXPECT_FALSE(child.IsWindowClass(nullptr));
}

TEST(ChildBase, DefaultOperations)
{
    CNuvChild child;
    EXPECT_FALSE(child.FindText("x", TRUE, FALSE));
    EXPECT_TRUE(child.SaveAs());
    EXPECT_EQ(child.GetFindText(), nullptr);
    EXPECT_FALSE(child.OnCommand(57643));
}

TEST(ChildBase, ActivationKeepsTheFramesActiveChild)
{
    FakeFrame frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    CNuvChild* editor = AddChild(frame, g_editorClass);
    CNuvChild* output = AddChild(frame, g_outputClass);
    frame.MdiArea()->setActiveSubWindow(editor);
    EXPECT_EQ(frame.ActiveChild(), editor);
    frame.MdiArea()->setActiveSubWindow(output);
    EXPECT_EQ(frame.ActiveChild(), output) << "activating the output window after an editor";
    delete output;
    frame.MdiArea()->setActiveSubWindow(editor);
    EXPECT_EQ(frame.ActiveChild(), editor);
    delete editor;
    EXPECT_EQ(frame.ActiveChild(), nullptr) << "closing the last child leaves no active child";
}
