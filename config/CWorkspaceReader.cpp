#include "config/CWorkspaceReader.h"

#include <algorithm>
#include <cstring>

#include "config/CConfigFile.h"
#include "config/ConfigRecord.h"
#include "config/PlacementRules.h"

namespace {

// The first record of `section`, if the section has one.
bool ReadFirst(CConfigFile& file, int section, ConfigRecord* record)
{
    if (!file.FindSection(section))
        return false;
    const unsigned char* bytes = file.ReadRecord();
    if (!bytes)
        return false;
    *record = ConfigRecord::Decode(bytes);
    return true;
}

bool ToEditor(const ConfigRecord& record, SavedWindow* window)
{
    if (!record.NameTerminated() || record.name[0] == '\0')
        return false;
    window->isEditor = true;
    std::memcpy(window->name, record.name, sizeof window->name);
    window->line = record.line >= 0 ? record.line : -1;
    window->column = std::clamp(record.column, 1, CWorkspaceReader::kMaxColumn);
    return true;
}

}  // namespace

SavedFrame CWorkspaceReader::ReadFrame(CConfigFile& file)
{
    SavedFrame saved;
    ConfigRecord record;
    if (!ReadFirst(file, kSectionFrame, &record) || record.type != kRecordFrame)
        return saved;
    saved.hasFrame = true;
    saved.placement = SanitizedPlacement(record.placement);
    saved.hasFont = FontUsable(record.font);
    if (saved.hasFont)
        saved.font = record.font;
    if (ReadFirst(file, kSectionStatusBar, &record) && record.type == kRecordStatusBar) {
        saved.hasStatusBar = true;
        saved.statusBarVisible = record.active ? TRUE : FALSE;
    }
    if (ReadFirst(file, kSectionToolBar, &record) && record.type == kRecordToolBar) {
        saved.hasToolBar = true;
        saved.toolBarVisible = record.active ? TRUE : FALSE;
    }
    return saved;
}

std::vector<SavedWindow> CWorkspaceReader::ReadWindows(CConfigFile& file)
{
    std::vector<SavedWindow> windows;
    if (file.m_status != CFG_OK || !file.FindSection(kSectionWindows))
        return windows;
    bool outputSeen = false;
    while (const unsigned char* bytes = file.ReadRecord()) {
        const ConfigRecord record = ConfigRecord::Decode(bytes);
        SavedWindow window;
        if (record.type == kRecordEditor) {
            if (!ToEditor(record, &window))
                continue;
        } else if (record.type == kRecordOutput && !outputSeen) {
            outputSeen = true;
        } else {
            continue;
        }
        window.placement = SanitizedPlacement(record.placement);
        windows.push_back(window);
    }
    return windows;
}

int CWorkspaceReader::ReadBytes(const void* data, std::size_t size, SavedFrame* frame, std::vector<SavedWindow>* windows)
{
    const std::unique_ptr<CConfigFile> file = CConfigFile::FromBytes(data, size);
    if (file->m_status == CFG_OK) {
        *frame = ReadFrame(*file);
        *windows = ReadWindows(*file);
    }
    return file->m_status;
}
