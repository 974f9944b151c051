#include "run/Services.h"

#include <algorithm>
#include <cstring>

#include "platform/Win32Types.h"
#include "run/DllList.h"
#include "run/IRunHost.h"

namespace {

struct Service {
    const char* name;
    void* function;
};

// A function's address handed out as the data pointer the interface uses.
template <typename Function>
void* Address(Function* function)
{
    void* address = nullptr;
    static_assert(sizeof address == sizeof function);
    std::memcpy(&address, &function, sizeof address);
    return address;
}

}  // namespace

extern "C" void* LookupService(const char* name)
{
    static const Service kServices[] = {
        {"OutputResult", Address(&OutputResult)},
        {"IsBreak", Address(&IsBreak)},
        {"GetNumberOfDLLs", Address(&GetNumberOfDLLs)},
        {"GetDLLName", Address(&GetDLLName)},
    };
    if (!name)
        return nullptr;
    for (const Service& service : kServices) {
        if (std::strcmp(name, service.name) == 0)
            return service.function;
    }
    return nullptr;
}

extern "C" int OutputResult(const char* text)
{
    IRunHost* host = CurrentRunHost();
    return host && text ? host->OutputResult(text) : 0;
}

extern "C" int IsBreak(void)
{
    IRunHost* host = CurrentRunHost();
    return host ? host->IsBreak() : 0;
}

extern "C" int GetNumberOfDLLs(void)
{
    return static_cast<int>(theDllList.size());
}

extern "C" const char* GetDLLName(int index)
{
    static char buffer[MAX_PATH];
    if (index < 0 || static_cast<std::size_t>(index) >= theDllList.size())
        return nullptr;
    const std::string& name = theDllList[static_cast<std::size_t>(index)];
    // The list never holds a longer name; the bound keeps the buffer safe anyway.
    const std::size_t length = std::min(name.size(), sizeof buffer - 1);
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    return buffer;
}

extern "C" int ReceivePreprocText(const char* text)
{
    IRunHost* host = CurrentRunHost();
    return host && text ? host->ReceivePreprocText(text) : 0;
}
