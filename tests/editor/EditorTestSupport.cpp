#include "EditorTestSupport.h"

#include <QFile>
#include <QFileInfo>

std::string WriteBytes(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
    file.write(bytes);
    return path;
}

QByteArray ReadBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool Exists(const std::string& path)
{
    return QFileInfo::exists(QString::fromStdString(path));
}

void EditorWidgetTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    frame = std::make_unique<FakeFrame>();
    frame->findEditor = [this](const char* path) { return FindEditorIn(frame->MdiArea(), path); };
    frame->show();
    prompts = std::make_unique<ScriptedPrompts>();
}

void EditorWidgetTest::TearDown()
{
    prompts.reset();
    FlushDeletes();
    frame.reset();
    FlushDeletes();
}

CNuvEdit* EditorWidgetTest::Loaded(const std::string& name, const QByteArray& bytes)
{
    const std::string path = File(name, bytes);
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, path.c_str());
    EXPECT_NE(window, nullptr) << path;
    return window;
}
