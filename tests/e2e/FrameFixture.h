#pragma once
// The whole program as the user starts it: CNuvApp::InitInstance with the
// command line, the real main frame, the hidden output window and the real
// interpreter library found beside the test executable. Models are written into
// a temporary directory, which is also the current (start) directory.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "app/CNuvApp.h"

class CMainFrame;
class CNuvEdit;
class CNuvOutput;
class QMenu;

class FrameFixture : public ::testing::Test {
protected:
    FrameFixture();
    ~FrameFixture() override;

    // Starts the program with `models` as the command line's models; a
    // program started before is ended first.
    void Start(const std::vector<std::string>& models = {});
    std::string WriteModel(const char* name, const char* text);
    QString ReadFile(const std::string& path) const;

    CMainFrame& Frame() const { return *app->Frame(); }
    CNuvOutput* Output() const;
    CNuvEdit* ActiveEditor() const;
    std::vector<std::string> OutputLines() const;
    static QStringList MenuTexts(QMenu* menu);
    QStringList RunMenuTexts() const;
    // The command of tool-bar button `index`.
    int ToolBarCommand(int index) const;
    std::string StatusText() const;
    // Presses a key in the active editor, as the user does.
    void PressInEditor(int key, Qt::KeyboardModifiers modifiers);
    // Presses a key where the keyboard focus is (the frame when nothing has it).
    void PressKey(int key, Qt::KeyboardModifiers modifiers);
    // Runs `action` once, `delayMs` into the run (from inside the run's pump).
    void During(int delayMs, std::function<void()> action);
    // Delivers the events posted so far (what happens after a run returns).
    static void DeliverPosted();

    ScriptedPrompts prompts;
    QTemporaryDir dir;
    QString previousDirectory;
    std::unique_ptr<CNuvApp> app;
};
