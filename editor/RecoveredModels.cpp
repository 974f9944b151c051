#include "editor/RecoveredModels.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <string>

#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "editor/CRecoveryStore.h"
#include "editor/FileNames.h"
#include "platform/FileNameText.h"
#include "platform/TextLimits.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

// Room for the names in the question, so that what the buttons do is never cut off.
constexpr std::size_t kNamesRoom = 80;

std::string ShownName(const RecoveryRecord& record)
{
    if (record.untitled)
        return LoadStringEntry(IDS_UNTITLED);
    // Each name as it reads, so that names of different encodings share one message.
    const std::string& path = record.fileName;
    return FileNameTextUtf8(std::string_view(path).substr(path.rfind('/') + 1));
}

// "a.nuv, b.nuv", or as many as fit and "and 3 more".
std::string NamesOf(const std::vector<CRecoveryStore::Orphan>& orphans)
{
    std::string names;
    for (std::size_t i = 0; i < orphans.size(); ++i) {
        std::string name = ShownName(orphans[i].record);
        if (i == 0 && name.size() > kNamesRoom)
            name = name.substr(0, Utf8BoundedLength(name.data(), name.size(), kNamesRoom - 2)) + "...";
        if (i > 0 && names.size() + 2 + name.size() > kNamesRoom)
            return names + " and " + std::to_string(orphans.size() - i) + " more";
        names += (i == 0 ? "" : ", ") + name;
    }
    return names;
}

// The window that takes `record` back: one that shows its file with nothing
// changed (the workspace opened it), else a new one. `*second` tells whether
// another window already holds changes of that file (a copy recovered from a
// second program): its title then says it is a recovered copy. nullptr when
// no window can be made.
CNuvEdit* WindowFor(const RecoveryRecord& record, bool* second)
{
    *second = false;
    CNuvEdit* unchanged = nullptr;
    IMainFrame* frame = TheFrame();
    if (!record.untitled && frame && frame->MdiArea()) {
        for (QMdiSubWindow* window : frame->MdiArea()->subWindowList()) {
            auto* editor = qobject_cast<CNuvEdit*>(window);
            if (!editor || !SameFileName(editor->FileName(), record.fileName.c_str()))
                continue;
            if (editor->m_bModified)
                *second = true;
            else if (!unchanged)
                unchanged = editor;
        }
    }
    return unchanged ? unchanged : CNuvEdit::Create(CFileCommands::NewWindowKind());
}

// The window's recovery id, 0 when the text could not be given back.
int Reopen(const RecoveryRecord& record)
{
    bool second = false;
    CNuvEdit* window = WindowFor(record, &second);
    if (!window)
        return 0;
    const char* name = record.untitled ? LoadStringEntry(IDS_UNTITLED) : record.fileName.c_str();
    if (!window->SetText(record.bytes.c_str(), name)) {
        window->Destroy();
        return 0;
    }
    window->m_bUntitled = record.untitled ? TRUE : FALSE;
    window->m_bModified = TRUE;
    if (second)
        window->setWindowTitle(window->windowTitle() + QString::fromUtf8(LoadStringEntry(IDS_RECOVERED_COPY)));
    window->SetCaret(record.line0, record.column1);
    window->WriteRecoveryCopyNow();
    window->Focus();
    return window->RecoveryId();
}

}  // namespace

void OfferRecoveredModels(CRecoveryStore& store)
{
    const std::vector<CRecoveryStore::Orphan> orphans = store.TakeOrphans();
    if (orphans.empty())
        return;
    const std::string names = NamesOf(orphans);
    const int count = static_cast<int>(orphans.size());
    switch (MessageFromTable(IDS_RECOVER_MODELS, MB_YESNOCANCEL | MB_ICONQUESTION, {count, names.c_str()})) {
    case IDYES:
        for (const CRecoveryStore::Orphan& orphan : orphans) {
            if (const int id = Reopen(orphan.record))
                store.Adopt(id, orphan);
        }
        store.Flush();
        break;
    case IDNO: store.DiscardOrphans(); break;
    default: store.ReleaseOrphans(); break;  // Escape, or the box closed
    }
}
