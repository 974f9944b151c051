#include "RecordingPrintDevice.h"

#include <QList>

void RecordingPrintDevice::Fail(const std::string& name, int result, int occurrence)
{
    m_failures[{name, occurrence}] = result;
}

std::vector<std::string> RecordingPrintDevice::Names() const
{
    std::vector<std::string> names;
    for (const Call& call : m_calls)
        names.push_back(call.name);
    return names;
}

QSize RecordingPrintDevice::TextExtent(const QString& text) const
{
    return QSize(static_cast<int>(text.toUcs4().size()) * charWidth, charHeight);
}

int RecordingPrintDevice::Record(Call call)
{
    const int occurrence = ++m_counts[call.name];
    const auto failure = m_failures.find({call.name, occurrence});
    m_calls.push_back(std::move(call));
    return failure == m_failures.end() ? 1 : failure->second;
}

// As the desktop's spooler does, the hook runs while the device draws and
// ends pages.
void RecordingPrintDevice::CallHook()
{
    if (m_hook) {
        ++m_hookCalls;
        m_hook();
    }
}

int RecordingPrintDevice::StartDoc(const QString& documentName)
{
    return Record({"StartDoc", 0, 0, documentName});
}

int RecordingPrintDevice::StartPage()
{
    return Record({"StartPage", 0, 0, {}});
}

void RecordingPrintDevice::TextOut(int x, int y, const QString& text)
{
    Record({"TextOut", x, y, text});
    CallHook();
}

int RecordingPrintDevice::EndPage()
{
    const int result = Record({"EndPage", 0, 0, {}});
    CallHook();
    return result;
}

int RecordingPrintDevice::EndDoc()
{
    return Record({"EndDoc", 0, 0, {}});
}

int RecordingPrintDevice::AbortDoc()
{
    return Record({"AbortDoc", 0, 0, {}});
}
