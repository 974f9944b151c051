#include "FrameFixture.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>

#include "app/CFrameStatusBar.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "run/DllList.h"
#include "shell/CNuvChild.h"

FrameFixture::FrameFixture()
{
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(dir.path());
    theDllList.clear();
}

FrameFixture::~FrameFixture()
{
    // Windows destroyed from inside their own handlers go before the frame.
    if (app)
        app->ExitInstance();
    app.reset();
    QDir::setCurrent(previousDirectory);
    theDllList.clear();
}

void FrameFixture::Start(const std::vector<std::string>& models)
{
    app.reset();
    app = std::make_unique<CNuvApp>();
    ASSERT_TRUE(app->InitInstance(models));
    ASSERT_NE(app->Frame(), nullptr);
}

std::string FrameFixture::WriteModel(const char* name, const char* text)
{
    const QString path = dir.path() + "/" + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path.toStdString();
}

QString FrameFixture::ReadFile(const std::string& path) const
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString("<missing>");
}

CNuvOutput* FrameFixture::Output() const
{
    return Frame().m_pOutput;
}

CNuvEdit* FrameFixture::ActiveEditor() const
{
    CNuvChild* child = Frame().ActiveChild();
    return child && child->IsWindowClass(g_editorClass) ? static_cast<CNuvEdit*>(child) : nullptr;
}

std::vector<std::string> FrameFixture::OutputLines() const
{
    std::vector<std::string> lines;
    const COutputStore* store = Output() ? Output()->m_pStore : nullptr;
    for (int i = 0; store && i < store->m_nCount; ++i)
        lines.emplace_back(store->GetLine(i));
    return lines;
}

QStringList FrameFixture::MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

QStringList FrameFixture::RunMenuTexts() const
{
    return MenuTexts(Frame().RunMenu());
}

int FrameFixture::ToolBarCommand(int index) const
{
    QAction* action = Frame().ToolBar()->actions().value(index);
    return action ? action->data().toInt() : -1;
}

std::string FrameFixture::StatusText() const
{
    return Frame().StatusBar()->MessageText().toStdString();
}

void FrameFixture::PressInEditor(int key, Qt::KeyboardModifiers modifiers)
{
    CNuvEdit* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(editor->Edit().Widget(), &press);
}

void FrameFixture::PressKey(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(target ? target : static_cast<QWidget*>(app->Frame()), &press);
}

void FrameFixture::During(int delayMs, std::function<void()> action)
{
    QTimer::singleShot(delayMs, app->Frame(), std::move(action));
}

void FrameFixture::DeliverPosted()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}
