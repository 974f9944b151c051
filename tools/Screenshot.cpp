// Renders the main window with a model open and run, offscreen, to a PNG file:
// the picture of the README. The model is copied into a folder of a neutral
// name (/tmp/models, or a fresh /tmp/models-XXXXXX when that one exists) so
// that the titles show no folder of the machine it was made on; the profile,
// the recovery copies and the interpreter's run lock live in a scratch folder,
// so that nothing of the user's shows or is changed and no run elsewhere gets
// in the way. A question or notice of the program ends the rendering with an
// error instead of waiting for an answer nobody can give.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/CMainFrame.h"
#include "app/CNuvApp.h"
#include "platform/Prompts.h"
#include "res/CommandIds.h"

namespace {

class NoPrompts : public IPrompts {
public:
    bool asked = false;
    int MessageBox(QWidget*, const QString& text, const QString&, int) override
    {
        std::fprintf(stderr, "nuv_screenshot: the program says: %s\n", text.toUtf8().constData());
        asked = true;
        return IDCANCEL;
    }
    void Beep(UINT) override {}
    bool FileDialog(const FileDialogRequest&, QString*) override { return Refuse(); }
    bool FontDialog(QWidget*, LOGFONTA*) override { return Refuse(); }
    bool PrintSetupDialog(QWidget*, QPrinter*) override { return Refuse(); }

private:
    bool Refuse()
    {
        asked = true;
        return false;
    }
};

// A folder this program made and so may remove again; empty when none could be made.
std::string NeutralFolder()
{
    const std::string wanted = "/tmp/models";
    if (::mkdir(wanted.c_str(), 0700) == 0)
        return wanted;
    std::string pattern = wanted + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return {};
    std::fprintf(stderr, "nuv_screenshot: %s exists; the titles show %s\n", wanted.c_str(), pattern.c_str());
    return pattern;
}

bool Render(const QString& picture, const std::string& model, const NoPrompts& prompts)
{
    CNuvApp app;
    if (!app.InitInstance({model}))
        return false;
    CMainFrame* frame = app.Frame();
    frame->resize(960, 640);
    QApplication::processEvents();
    frame->OnCommand(ID_RUN_ACTIVE);
    QApplication::processEvents();
    frame->MdiArea()->tileSubWindows();
    frame->OnIdle();
    QApplication::processEvents();
    const bool saved = !prompts.asked && frame->grab().save(picture);
    app.ExitInstance();
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s picture.png model.nuv\n", argv[0]);
        return 2;
    }
    // A screen with room for the picture, which the frame keeps to.
    QTemporaryDir scratch;
    QFile screen(scratch.filePath("screen.json"));
    if (!scratch.isValid() || !screen.open(QIODevice::WriteOnly) ||
        screen.write(R"({"screens": [{"name": "picture", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
                     R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
        std::fprintf(stderr, "nuv_screenshot: no scratch folder to work in\n");
        return 1;
    }
    screen.close();
    const std::string folder = NeutralFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "nuv_screenshot: no folder for the model\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen.fileName()));
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
        qputenv(name, QFile::encodeName(scratch.path()));
    QApplication application(argc, argv);
    const QString picture = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
    const QString source = QFile::decodeName(argv[2]);
    NoPrompts prompts;
    SetPrompts(&prompts);
    const QString copy = QFile::decodeName(folder.c_str()) + "/" + QFileInfo(source).fileName();
    bool rendered = false;
    if (QFile::copy(source, copy)) {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QFile::decodeName(folder.c_str()));
        rendered = Render(picture, QFileInfo(source).fileName().toStdString(), prompts);
        QDir::setCurrent(previous);
    }
    SetPrompts(nullptr);
    // Only what this program made goes again.
    QFile::remove(copy);
    if (::rmdir(folder.c_str()) != 0)
        std::fprintf(stderr, "nuv_screenshot: %s is not empty and stays\n", folder.c_str());
    return rendered ? 0 : 1;
}
