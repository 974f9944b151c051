#include "run/PreprocListing.h"

#include <QMdiArea>
#include <memory>
#include <new>
#include <string>

#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "res/StringTable.h"
#include "run/ListingFormat.h"
#include "run/ListingName.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

BOOL ListingToEditor(const char* modelPath, const char* text)
{
    IMainFrame* frame = TheFrame();
    char name[MAX_PATH];
    if (!frame || !MakeListingName(modelPath, name)) {
        const std::string wanted = std::string(modelPath) + ".prp";
        MessageFromTable(IDS_CANNOT_CREATE_FILE, MB_ICONEXCLAMATION, {wanted.c_str()});
        return FALSE;
    }
    CNuvEdit* editor = dynamic_cast<CNuvEdit*>(frame->FindEditorWindow(name));
    const bool made = editor == nullptr;
    if (made)
        editor = CNuvEdit::Create(CFileCommands::NewWindowKind());
    else if (QMdiArea* area = frame->MdiArea())
        area->setActiveSubWindow(editor);
    // Edits typed into an open listing window are the user's: they are saved or
    // given up only on the user's word, else the listing goes nowhere and the
    // run's output says so. A window that holds just the last listing (modified
    // only because that was never saved) takes the new one without a question.
    if (!made && editor->Edit().GetModify() && !editor->SaveChangesOrKeep()) {
        if (CNuvOutput* output = frame->Output())
            output->AddOutput(FormatFromTable(IDS_LISTING_NOT_LOADED, {name}).toUtf8().constData());
        return FALSE;
    }
    if (!editor || !editor->SetText(text, name)) {
        MessageFromTable(IDS_NO_MEMORY_PREPROC, MB_ICONEXCLAMATION);
        // Only a window made for the listing goes: one the user had open keeps
        // what it holds.
        if (made && editor)
            editor->Destroy();
        return FALSE;
    }
    editor->m_bModified = TRUE;
    return TRUE;
}

BOOL ListingToFile(const char* modelPath, const char* text, BOOL append)
{
    std::unique_ptr<COutputStore> store(new (std::nothrow) COutputStore);
    if (!store || !store->m_bValid || !store->AddLine(kListingHeading) || !store->AddLine(text)) {
        MessageFromTable(IDS_NO_MEMORY, MB_ICONEXCLAMATION);
        return FALSE;
    }
    store->SetOutputFileName(modelPath, TRUE);
    store->m_bAppend = append ? TRUE : FALSE;
    return store->WriteToFile(store->m_szFileName);
}
