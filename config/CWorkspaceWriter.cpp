#include "config/CWorkspaceWriter.h"

#include <QFile>
#include <new>

#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "platform/Placement.h"
#include "res/StringTable.h"
#include "shell/CNuvChild.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

const char* const CWorkspaceWriter::kFileName = "_nuv_.cfg";

namespace {

// An MDI child's place among overlapping windows (also while tabs are shown):
// its normal rectangle in the area and its state.
WINDOWPLACEMENT ChildPlacement(const CNuvChild* child)
{
    return PlacementFromPlace(child->OverlapPlace());
}

BOOL IsActive(const CNuvChild* child)
{
    IMainFrame* frame = TheFrame();
    return frame && frame->ActiveChild() == child ? TRUE : FALSE;
}

}  // namespace

CWorkspaceWriter::CWorkspaceWriter() = default;
CWorkspaceWriter::~CWorkspaceWriter() = default;

void CWorkspaceWriter::Begin(const QString& directory)
{
    if (theConfigWriter)
        return;
    m_frameWritten = false;
    theConfigWriter.reset(new (std::nothrow) CConfigFile(QFile::encodeName(directory).constData(), kFileName,
                                                         CConfigFile::kWrite));
}

bool CWorkspaceWriter::Ok() const
{
    return theConfigWriter && theConfigWriter->m_status == CFG_OK;
}

void CWorkspaceWriter::WriteFrame(const WINDOWPLACEMENT& placement, const LOGFONTA& font, BOOL statusBarVisible,
                                  BOOL toolBarVisible)
{
    // An end that interrupts an exit finds the frame written already.
    if (!theConfigWriter || m_frameWritten)
        return;
    m_frameWritten = true;
    theConfigWriter->WriteFrameRecord(placement, font);
    theConfigWriter->WriteStatusBarRecord(statusBarVisible);
    theConfigWriter->WriteToolBarRecord(toolBarVisible);
}

void CWorkspaceWriter::NotePlaces(const QList<QMdiSubWindow*>& windows)
{
    m_places.clear();
    for (const QMdiSubWindow* window : windows) {
        if (const auto* child = qobject_cast<const CNuvChild*>(window))
            m_places.insert(window, ChildPlacement(child));
    }
}

WINDOWPLACEMENT CWorkspaceWriter::PlaceOf(const CNuvChild* child) const
{
    const auto noted = m_places.constFind(child);
    return noted != m_places.constEnd() ? *noted : ChildPlacement(child);
}

void CWorkspaceWriter::WriteWindow(CNuvChild* child, const LOGFONTA& font)
{
    if (!Ok() || !child)
        return;
    if (child->IsWindowClass(g_editorClass)) {
        auto* editor = static_cast<CNuvEdit*>(child);
        // Read now: a window restored and never active since has no position yet.
        editor->UpdateCaretPosition();
        theConfigWriter->WriteEditorRecord(PlaceOf(editor), IsActive(editor), editor->m_szFileName,
                                           editor->m_nColumn, editor->m_nLine - 1, font);
    } else if (child->IsWindowClass(g_outputClass) && !static_cast<CNuvOutput*>(child)->m_bHidden) {
        theConfigWriter->WriteOutputRecord(PlaceOf(child), IsActive(child));
    }
}

void CWorkspaceWriter::Discard()
{
    m_places.clear();
    if (!theConfigWriter)
        return;
    theConfigWriter->Discard();
    theConfigWriter.reset();
}

void CWorkspaceWriter::Remove(const QString& directory)
{
    Discard();
    CConfigFile::Remove(QFile::encodeName(directory).constData(), kFileName);
}

void CWorkspaceWriter::Finish()
{
    m_places.clear();
    if (!theConfigWriter) {
        MessageFromTable(IDS_CFG_NO_MEMORY, MB_ICONEXCLAMATION);
        return;
    }
    theConfigWriter->Commit();
    // A record buffer that could not be had was reported when the writer was made.
    if (theConfigWriter->m_status != CFG_OK && !theConfigWriter->Reported())
        MessageFromTable(theConfigWriter->m_status, MB_ICONEXCLAMATION);
    theConfigWriter.reset();
}

void CWorkspaceWriter::Close()
{
    m_places.clear();
    theConfigWriter.reset();
}
