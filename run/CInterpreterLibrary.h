#pragma once
// The interpreter library, loaded for one run: its six entry points resolved by
// name, called in the run's order, and released when the run ends. Every failure
// is reported to the user here, with the library already released.
#include <string>

#include "platform/Win32Types.h"
#include "run/CInterpreterEntryPoints.h"
#include "tavo/tavo_abi.h"

class CInterpreterLibrary {
public:
    // The file name runs load: "libtavo.so", looked for beside the executable
    // first. Tests point it at a library of their own.
    static const std::string& FileName() { return CInterpreterEntryPoints::FileName(); }
    static void SetFileName(const std::string& fileName) { CInterpreterEntryPoints::SetFileName(fileName); }

    // Loads the library and resolves parser_main, PreprocessOnly, GetUpdateLimit,
    // SetUpdateLimit, SetRangeCheck and IsBusy; then refuses a library that is
    // busy in another instance. FALSE after the message (141, 140 or 193).
    BOOL Load();
    BOOL IsLoaded() const { return m_entryPoints.IsLoaded(); }

    void ApplySettings(BOOL preprocessOnly, int updateLimit, BOOL rangeCheck) const
    {
        m_entryPoints.ApplySettings(preprocessOnly, updateLimit, rangeCheck);
    }
    DWORD Run(const char* modelPath, NuvLookupService lookup) const { return m_entryPoints.Run(modelPath, lookup); }
    // Hands the listing of the preprocess-only run just made to `receiver`.
    // FALSE, after a message, when the library has no GivePreprocText.
    BOOL GivePreprocText(NuvPreprocReceiver receiver) const;

    void Release() { m_entryPoints.Release(); }

private:
    CInterpreterEntryPoints m_entryPoints;
};
