#include "run/Services.h"

#include <cstring>

#include "output/CNuvOutput.h"
#include "platform/Win32Types.h"
#include "run/CRunContext.h"
#include "run/CRunPump.h"
#include "run/DllList.h"
#include "run/PreprocListing.h"

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

CNuvOutput* RunOutput()
{
    CRunContext* context = CRunContext::Current();
    return context ? context->Output() : nullptr;
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
    CNuvOutput* output = RunOutput();
    return output && text ? output->AddOutput(text) : 0;
}

extern "C" int IsBreak(void)
{
    CRunContext* context = CRunContext::Current();
    return context && context->Pump() ? context->Pump()->IsBreak() : 0;
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
    CNuvOutput* output = RunOutput();
    if (!output || !text)
        return 0;
    if (output->GetOption(CNuvOutput::kOptionSendToFile))
        return ListingToFile(output->m_szModelPath, text, output->GetOption(CNuvOutput::kOptionAppend));
    return ListingToEditor(output->m_szModelPath, text);
}
