#pragma once
// What the editor's widget tests share: a shown fake frame whose
// FindEditorWindow is the editor's own search, scripted prompts, and a
// temporary directory with helpers for files in it.
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "FakeFrame.h"
#include "ScriptedPrompts.h"
#include "editor/CNuvEdit.h"

std::string WriteBytes(const std::string& path, const QByteArray& bytes);
QByteArray ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// Windows destroyed from inside their own handlers are deleted by the event loop.
inline void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class EditorWidgetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& name) const { return (m_dir.path() + "/").toStdString() + name; }
    std::string File(const std::string& name, const QByteArray& bytes) { return WriteBytes(Path(name), bytes); }
    int WindowCount() const { return static_cast<int>(frame->MdiArea()->subWindowList().size()); }
    // A window that loaded `bytes` from the file `name`.
    CNuvEdit* Loaded(const std::string& name, const QByteArray& bytes);

    QTemporaryDir m_dir;
    std::unique_ptr<FakeFrame> frame;
    std::unique_ptr<ScriptedPrompts> prompts;
};
