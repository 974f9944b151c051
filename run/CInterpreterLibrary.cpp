#include "run/CInterpreterLibrary.h"

#include <cstring>

#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

namespace {

std::string& LibraryFileName()
{
    static std::string name = "libtavo.so";
    return name;
}

// Data and function pointers share one representation on this platform; the
// copy keeps the conversion well defined.
template <typename Function>
bool Resolve(const DynamicLibrary& library, const char* symbol, Function* function)
{
    void* address = library.Lookup(symbol);
    static_assert(sizeof address == sizeof *function);
    std::memcpy(function, &address, sizeof address);
    return address != nullptr;
}

const char* const kNoListing =
    "The library TAVO.DLL cannot give the preprocessor listing: its entry point GivePreprocText is missing.";

}  // namespace

const std::string& CInterpreterLibrary::FileName()
{
    return LibraryFileName();
}

void CInterpreterLibrary::SetFileName(const std::string& fileName)
{
    LibraryFileName() = fileName;
}

BOOL CInterpreterLibrary::Load()
{
    if (!m_library.Load(FileName())) {
        MessageFromTable(IDS_CANNOT_LOAD_LIBRARY, MB_ICONSTOP);
        return FALSE;
    }
    if (!ResolveEntryPoints()) {
        Release();
        MessageFromTable(IDS_CANNOT_USE_LIBRARY, MB_ICONSTOP);
        return FALSE;
    }
    if (m_isBusy() != 0) {
        Release();
        MessageFromTable(IDS_LIBRARY_BUSY, MB_ICONSTOP, {"tavo.dll"});
        return FALSE;
    }
    return TRUE;
}

// All six must be there, GetUpdateLimit included although no run calls it.
BOOL CInterpreterLibrary::ResolveEntryPoints()
{
    return Resolve(m_library, "parser_main", &m_parserMain) && Resolve(m_library, "PreprocessOnly", &m_preprocessOnly) &&
           Resolve(m_library, "GetUpdateLimit", &m_getUpdateLimit) &&
           Resolve(m_library, "SetUpdateLimit", &m_setUpdateLimit) &&
           Resolve(m_library, "SetRangeCheck", &m_setRangeCheck) && Resolve(m_library, "IsBusy", &m_isBusy);
}

void CInterpreterLibrary::ApplySettings(BOOL preprocessOnly, int updateLimit, BOOL rangeCheck) const
{
    m_preprocessOnly(preprocessOnly ? 1 : 0);
    m_setUpdateLimit(updateLimit);
    m_setRangeCheck(rangeCheck ? 1 : 0);
}

DWORD CInterpreterLibrary::Run(const char* modelPath, NuvLookupService lookup) const
{
    return m_parserMain(modelPath, lookup);
}

BOOL CInterpreterLibrary::GivePreprocText(NuvPreprocReceiver receiver) const
{
    GiveText give = nullptr;
    if (!Resolve(m_library, "GivePreprocText", &give)) {
        MessageBoxText(QString::fromUtf8(kNoListing), MB_ICONEXCLAMATION);
        return FALSE;
    }
    give(receiver, 0);
    return TRUE;
}

void CInterpreterLibrary::Release()
{
    m_library.Release();
    m_parserMain = nullptr;
    m_preprocessOnly = m_setUpdateLimit = m_setRangeCheck = nullptr;
    m_getUpdateLimit = m_isBusy = nullptr;
}
