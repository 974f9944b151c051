#include "shell/ChooseFileName.h"

#include <QDir>
#include <QFileInfo>
#include <string>

#include "platform/FileNameText.h"
#include "platform/Prompts.h"
#include "platform/TextLimits.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

struct KindInfo {
    int title;
    int filter;
    bool save;
};

bool KindInfoOf(int kind, KindInfo* info)
{
    const bool preprocess = TheFrame() && TheFrame()->PreprocessOnly();
    switch (kind) {
    case FD_LOAD: *info = {IDS_TITLE_LOAD, IDS_FILTER_MODELS, false}; return true;
    case FD_SAVE_AS: *info = {IDS_TITLE_SAVE_AS, IDS_FILTER_MODELS, true}; return true;
    case FD_RUN_MODEL: *info = {IDS_TITLE_RUN_MODEL, IDS_FILTER_MODELS, false}; return true;
    case FD_OPEN: *info = {IDS_TITLE_OPEN, IDS_FILTER_MODELS, false}; return true;
    case FD_DLL: *info = {IDS_TITLE_CHOOSE_DLL, IDS_FILTER_DLLS, false}; return true;
    case FD_OUTPUT:
        *info = {IDS_TITLE_SAVE_AS, preprocess ? IDS_FILTER_PREPROCESSED : IDS_FILTER_OUTPUT, true};
        return true;
    default: return false;
    }
}

// The filter entry's last character separates the description/pattern pairs.
QStringList FilterPairs(int id)
{
    QString filter = QString::fromUtf8(LoadStringEntry(id));
    if (filter.isEmpty())
        return {};
    const QChar separator = filter.back();
    filter.chop(1);
    return filter.split(separator);
}

// The dialog adds the default extension to a typed name that has none.
QString WithDefaultExtension(const QString& path, bool save)
{
    const QFileInfo info(path);
    if (info.fileName().contains('.'))
        return path;
    const QString extended = path + ".nuv";
    if (save || (!info.exists() && QFileInfo::exists(extended)))
        return extended;
    return path;
}

}  // namespace

BOOL ChooseFileName(char* result, QWidget* owner, int kind)
{
    KindInfo info{};
    if (!KindInfoOf(kind, &info))
        return FALSE;
    FileDialogRequest request;
    request.owner = owner ? owner : (TheFrame() ? TheFrame()->Window() : nullptr);
    request.title = QString::fromUtf8(LoadStringEntry(info.title));
    request.filters = FilterPairs(info.filter);
    request.save = info.save;
    request.overwritePrompt = info.save;
    request.defaultExtension = "nuv";
    const QString current = QDir::currentPath();
    request.initialDirectory = current.toUtf8().size() < MAX_PATH ? current : QDir::rootPath();

    QString chosen;
    if (!Prompts().FileDialog(request, &chosen) || chosen.isEmpty())
        return FALSE;
    const std::string path = FileNameBytes(WithDefaultExtension(chosen, info.save));
    if (!CopyWhole(result, MAX_PATH, path.c_str())) {
        MessageFromTable(info.save ? IDS_CANNOT_WRITE : IDS_CANNOT_OPEN, MB_ICONHAND, {path.c_str()});
        return FALSE;
    }
    return TRUE;
}
