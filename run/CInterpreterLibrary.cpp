#include "run/CInterpreterLibrary.h"

#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

BOOL CInterpreterLibrary::Load()
{
    switch (m_entryPoints.Load()) {
    case CInterpreterEntryPoints::LoadResult::Loaded: return TRUE;
    case CInterpreterEntryPoints::LoadResult::CannotLoad: MessageFromTable(IDS_CANNOT_LOAD_LIBRARY, MB_ICONSTOP); break;
    case CInterpreterEntryPoints::LoadResult::CannotUse: MessageFromTable(IDS_CANNOT_USE_LIBRARY, MB_ICONSTOP); break;
    case CInterpreterEntryPoints::LoadResult::Busy: MessageFromTable(IDS_LIBRARY_BUSY, MB_ICONSTOP, {"tavo.dll"}); break;
    }
    return FALSE;
}

BOOL CInterpreterLibrary::GivePreprocText(NuvPreprocReceiver receiver) const
{
    if (m_entryPoints.GivePreprocText(receiver))
        return TRUE;
    MessageBoxText(QString::fromUtf8(kNoListingMessage), MB_ICONEXCLAMATION);
    return FALSE;
}
