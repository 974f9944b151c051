#include "run/CInterpreterEntryPoints.h"

#include <cstring>

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

}  // namespace

const std::string& CInterpreterEntryPoints::FileName()
{
    return LibraryFileName();
}

void CInterpreterEntryPoints::SetFileName(const std::string& fileName)
{
    LibraryFileName() = fileName;
}

CInterpreterEntryPoints::LoadResult CInterpreterEntryPoints::Open()
{
    if (!m_library.Load(FileName()))
        return LoadResult::CannotLoad;
    if (!ResolveEntryPoints()) {
        Release();
        return LoadResult::CannotUse;
    }
    return LoadResult::Loaded;
}

CInterpreterEntryPoints::LoadResult CInterpreterEntryPoints::Load()
{
    const LoadResult opened = Open();
    if (opened != LoadResult::Loaded)
        return opened;
    if (IsBusy()) {
        Release();
        return LoadResult::Busy;
    }
    return LoadResult::Loaded;
}

// All six must be there, GetUpdateLimit included although no run calls it.
bool CInterpreterEntryPoints::ResolveEntryPoints()
{
    return Resolve(m_library, "parser_main", &m_parserMain) && Resolve(m_library, "PreprocessOnly", &m_preprocessOnly) &&
           Resolve(m_library, "GetUpdateLimit", &m_getUpdateLimit) &&
           Resolve(m_library, "SetUpdateLimit", &m_setUpdateLimit) &&
           Resolve(m_library, "SetRangeCheck", &m_setRangeCheck) && Resolve(m_library, "IsBusy", &m_isBusy);
}

bool CInterpreterEntryPoints::IsBusy() const
{
    return m_isBusy() != 0;
}

void CInterpreterEntryPoints::ApplySettings(BOOL preprocessOnly, int updateLimit, BOOL rangeCheck) const
{
    m_preprocessOnly(preprocessOnly ? 1 : 0);
    m_setUpdateLimit(updateLimit);
    m_setRangeCheck(rangeCheck ? 1 : 0);
}

DWORD CInterpreterEntryPoints::Run(const char* modelPath, NuvLookupService lookup) const
{
    return m_parserMain(modelPath, lookup);
}

bool CInterpreterEntryPoints::GivePreprocText(NuvPreprocReceiver receiver) const
{
    GiveText give = nullptr;
    if (!Resolve(m_library, "GivePreprocText", &give))
        return false;
    give(receiver, 0);
    return true;
}

void CInterpreterEntryPoints::Release()
{
    m_library.Release();
    m_parserMain = nullptr;
    m_preprocessOnly = m_setUpdateLimit = m_setRangeCheck = nullptr;
    m_getUpdateLimit = m_isBusy = nullptr;
}
