#include "editor/RecoveredModels.h"

#include <string>

#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "editor/CRecoveryStore.h"
#include "platform/FileNameText.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

std::string NamesOf(const std::vector<CRecoveryStore::Orphan>& orphans)
{
    std::string names;
    for (const CRecoveryStore::Orphan& orphan : orphans) {
        if (!names.empty())
            names += ", ";
        // Each name as it reads, so that names of different encodings share one message.
        const std::string& path = orphan.record.fileName;
        names += orphan.record.untitled ? LoadStringEntry(IDS_UNTITLED)
                                        : FileNameTextUtf8(std::string_view(path).substr(path.rfind('/') + 1));
    }
    return names;
}

void Reopen(const RecoveryRecord& record)
{
    IMainFrame* frame = TheFrame();
    CNuvEdit* window = nullptr;
    if (!record.untitled && frame)
        window = qobject_cast<CNuvEdit*>(frame->FindEditorWindow(record.fileName.c_str()));
    if (!window)
        window = CNuvEdit::Create(CFileCommands::NewWindowKind());
    if (!window)
        return;
    const char* name = record.untitled ? LoadStringEntry(IDS_UNTITLED) : record.fileName.c_str();
    if (!window->SetText(record.bytes.c_str(), name)) {
        window->Destroy();
        return;
    }
    window->m_bUntitled = record.untitled ? TRUE : FALSE;
    window->m_bModified = TRUE;
    window->SetCaret(record.line0, record.column1);
    window->WriteRecoveryCopyNow();
    window->Focus();
}

}  // namespace

void OfferRecoveredModels(CRecoveryStore& store)
{
    const std::vector<CRecoveryStore::Orphan> orphans = store.TakeOrphans();
    if (!orphans.empty()) {
        const std::string names = NamesOf(orphans);
        const int count = static_cast<int>(orphans.size());
        if (MessageFromTable(IDS_RECOVER_MODELS, MB_YESNO | MB_ICONQUESTION, {count, names.c_str()}) == IDYES) {
            for (const CRecoveryStore::Orphan& orphan : orphans)
                Reopen(orphan.record);
            store.Flush();
        }
    }
    store.DiscardOrphans();
}
