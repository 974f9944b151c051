#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The directory of the running executable, with its final '/'; empty when
// unknown.
std::string ExecutableDirectory()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

bool IsPlainFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A bare name is looked for beside the executable (a build tree), then in
// ../lib/nuv/ from it (an installed tree), before the loader's own search. The
// executable's RUNPATH says the same, but the loader judges RUNPATH by the code
// that calls dlopen, and a wrapper around dlopen (the address sanitizer's) hides that.
std::string Resolve(const std::string& fileName)
{
    const std::string directory = ExecutableDirectory();
    if (fileName.find('/') != std::string::npos || directory.empty())
        return fileName;
    for (const char* folder : {"", "../lib/nuv/"}) {
        const std::string candidate = directory + folder + fileName;
        if (IsPlainFile(candidate))
            return candidate;
    }
    return fileName;
}

}  // namespace

DynamicLibrary::~DynamicLibrary()
{
    Release();
}

bool DynamicLibrary::Load(const std::string& fileName)
{
    Release();
    m_handle = dlopen(Resolve(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
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
