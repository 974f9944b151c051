#pragma once
// A light frame with the real output window, the run controller and the real
// interpreter library; models are written into a temporary directory, which is
// also the current directory (output and listing files land there).
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "FakeFrame.h"
#include "ScriptedPrompts.h"
#include "run/CEnvironmentSettings.h"
#include "run/CRunController.h"

class CNuvOutput;

class RunFixture : public ::testing::Test {
protected:
    RunFixture();
    ~RunFixture() override;

    // Writes a model file into the temporary directory; returns its path.
    std::string WriteModel(const char* name, const char* text);
    std::string PathOf(const char* name) const;
    // Reads a file of the temporary directory whole.
    QByteArray ReadFile(const char* name) const;
    std::vector<std::string> OutputLines() const;
    QStringList RunMenuTexts() const;
    // Runs `action` once, `delayMs` into the run (from inside the pump).
    void During(int delayMs, std::function<void()> action);
    // Delivers the events posted so far (what happens after a run returns).
    static void DeliverPosted();
    BOOL Run(const std::string& path);

    ScriptedPrompts prompts;
    FakeFrame frame;
    CNuvOutput* output = nullptr;
    CEnvironmentSettings settings;
    int idlePasses = 0;
    CRunController controller{frame, settings, [this] { ++idlePasses; }};
    QTemporaryDir dir;
    QString previousDirectory;
};
