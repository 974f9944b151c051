#pragma once
// The interpreter library, loaded for one run: its six entry points resolved by
// name, called in the run's order, and released when the run ends. Every failure
// is reported to the user here, with the library already released.
#include <string>

#include "platform/DynamicLibrary.h"
#include "platform/Win32Types.h"
#include "tavo/tavo_abi.h"

class CInterpreterLibrary {
public:
    // The file name runs load: "libtavo.so", looked for beside the executable
    // first. Tests point it at a library of their own.
    static const std::string& FileName();
    static void SetFileName(const std::string& fileName);

    CInterpreterLibrary() = default;
    ~CInterpreterLibrary() { Release(); }
    CInterpreterLibrary(const CInterpreterLibrary&) = delete;
    CInterpreterLibrary& operator=(const CInterpreterLibrary&) = delete;

    // Loads the library and resolves parser_main, PreprocessOnly, GetUpdateLimit,
    // SetUpdateLimit, SetRangeCheck and IsBusy; then refuses a library that is
    // busy in another instance. FALSE after the message (141, 140 or 193).
    BOOL Load();
    BOOL IsLoaded() const { return m_library.IsLoaded(); }

    void ApplySettings(BOOL preprocessOnly, int updateLimit, BOOL rangeCheck) const;
    DWORD Run(const char* modelPath, NuvLookupService lookup) const;
    // Hands the listing of the preprocess-only run just made to `receiver`.
    // FALSE, after a message, when the library has no GivePreprocText.
    BOOL GivePreprocText(NuvPreprocReceiver receiver) const;

    void Release();

private:
    using ParserMain = uint32_t (*)(const char*, NuvLookupService);
    using SetInt = void (*)(int);
    using GetInt = int (*)(void);
    using GiveText = void (*)(NuvPreprocReceiver, int);

    BOOL ResolveEntryPoints();

    DynamicLibrary m_library;
    ParserMain m_parserMain = nullptr;
    SetInt m_preprocessOnly = nullptr;
    GetInt m_getUpdateLimit = nullptr;
    SetInt m_setUpdateLimit = nullptr;
    SetInt m_setRangeCheck = nullptr;
    GetInt m_isBusy = nullptr;
};
