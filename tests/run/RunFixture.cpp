#include "RunFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QTimer>

#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "run/CInterpreterLibrary.h"
#include "run/DllList.h"

RunFixture::RunFixture()
{
    CInterpreterLibrary::SetFileName(TAVO_LIBRARY);
    output = new CNuvOutput(FALSE, nullptr);
    frame.show();
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(dir.path());
    theDllList.clear();
}

RunFixture::~RunFixture()
{
    QDir::setCurrent(previousDirectory);
    delete output;
    theDllList.clear();
}

std::string RunFixture::PathOf(const char* name) const
{
    return (dir.path() + "/" + name).toStdString();
}

std::string RunFixture::WriteModel(const char* name, const char* text)
{
    const std::string path = PathOf(name);
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

QByteArray RunFixture::ReadFile(const char* name) const
{
    QFile file(QString::fromStdString(PathOf(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

std::vector<std::string> RunFixture::OutputLines() const
{
    std::vector<std::string> lines;
    for (int i = 0; i < output->m_pStore->m_nCount; ++i)
        lines.emplace_back(output->m_pStore->GetLine(i));
    return lines;
}

QStringList RunFixture::RunMenuTexts() const
{
    QStringList texts;
    for (QAction* action : const_cast<FakeFrame&>(frame).RunMenu()->actions())
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

void RunFixture::During(int delayMs, std::function<void()> action)
{
    QTimer::singleShot(delayMs, &frame, std::move(action));
}

void RunFixture::DeliverPosted()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

BOOL RunFixture::Run(const std::string& path)
{
    frame.preprocessOnly = settings.m_bPreprocessOnly;
    return controller.RunModel(path.c_str());
}
