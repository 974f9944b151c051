#pragma once
// A shared library loaded by name for a while and released again: the
// interpreter library is loaded at the start of each run and released at its end.
#include <string>

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads `fileName` by the loader's search rules; a name without '/' is looked
    // for beside the executable first, then in ../lib/nuv/ from it (the RUNPATH of
    // the build tree and of an installed tree), never in the current directory.
    // False when it cannot be loaded.
    bool Load(const std::string& fileName);
    // The address of the exported C symbol, or nullptr.
    void* Lookup(const char* symbol) const;
    void Release();
    bool IsLoaded() const { return m_handle != nullptr; }
    const std::string& LastError() const { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};
