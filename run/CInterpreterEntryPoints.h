#pragma once
// The interpreter library's entry points, loaded for one run and released when
// it ends; no messages here: the host says what a failure means to its user
// (the environment in a message box, the headless runner on standard error).
#include <string>

#include "platform/DynamicLibrary.h"
#include "platform/Win32Types.h"
#include "tavo/tavo_abi.h"

// What is said when a preprocess-only run finds no GivePreprocText.
inline constexpr char kNoListingMessage[] =
    "The library TAVO.DLL cannot give the preprocessor listing: its entry point GivePreprocText is missing.";

class CInterpreterEntryPoints {
public:
    enum class LoadResult {
        Loaded,
        CannotLoad,  // the library cannot be loaded (message 141)
        CannotUse,   // one of the six entry points is missing (message 140)
        Busy,        // IsBusy: another program runs a model in it (message 193)
    };

    // The file name runs load: "libtavo.so", looked for beside the executable
    // first. Tests point it at a library of their own.
    static const std::string& FileName();
    static void SetFileName(const std::string& fileName);

    CInterpreterEntryPoints() = default;
    ~CInterpreterEntryPoints() { Release(); }
    CInterpreterEntryPoints(const CInterpreterEntryPoints&) = delete;
    CInterpreterEntryPoints& operator=(const CInterpreterEntryPoints&) = delete;

    // Loads the library and resolves parser_main, PreprocessOnly,
    // GetUpdateLimit, SetUpdateLimit, SetRangeCheck and IsBusy. Released again
    // on failure.
    LoadResult Open();
    // Open, then refuses a library that is busy (released again).
    LoadResult Load();
    bool IsLoaded() const { return m_library.IsLoaded(); }
    // Why the last Open could not load it, as the loader said.
    const std::string& LoadError() const { return m_library.LastError(); }

    // The entry points below need a loaded library.
    bool IsBusy() const;
    void ApplySettings(BOOL preprocessOnly, int updateLimit, BOOL rangeCheck) const;
    DWORD Run(const char* modelPath, NuvLookupService lookup) const;
    // Hands the listing of the preprocess-only run just made to `receiver`;
    // false when the library has no GivePreprocText.
    bool GivePreprocText(NuvPreprocReceiver receiver) const;

    void Release();

private:
    using ParserMain = uint32_t (*)(const char*, NuvLookupService);
    using SetInt = void (*)(int);
    using GetInt = int (*)(void);
    using GiveText = void (*)(NuvPreprocReceiver, int);

    bool ResolveEntryPoints();

    DynamicLibrary m_library;
    ParserMain m_parserMain = nullptr;
    SetInt m_preprocessOnly = nullptr;
    GetInt m_getUpdateLimit = nullptr;
    SetInt m_setUpdateLimit = nullptr;
    SetInt m_setRangeCheck = nullptr;
    GetInt m_isBusy = nullptr;
};
