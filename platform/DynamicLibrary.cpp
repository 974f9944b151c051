#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

DynamicLibrary::~DynamicLibrary()
{
    Release();
}

bool DynamicLibrary::Load(const std::string& fileName)
{
    Release();
    m_handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* error = dlerror();
        m_error = error ? error : "unknown error";
    }
    return m_handle != nullptr;
}

void* DynamicLibrary::Lookup(const char* symbol) const
{
    return m_handle ? dlsym(m_handle, symbol) : nullptr;
}

void DynamicLibrary::Release()
{
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
}
