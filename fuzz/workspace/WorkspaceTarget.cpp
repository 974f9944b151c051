// Fuzzes the _nuv_.cfg reader over any file: whatever the bytes, reading ends
// with one of the reader's statuses, and everything it hands to the restore is
// safe to apply: show commands 1 to 3, rectangles of a usable size (or none),
// usable fonts, terminated non-empty editor names, bounded carets, and at most
// one output window.
#include "FuzzCheck.h"

#include "config/CConfigFile.h"
#include "config/CWorkspaceReader.h"
#include "config/PlacementRules.h"

#include <cstring>
#include <vector>

namespace {

void CheckPlacement(const WINDOWPLACEMENT& placement)
{
    FuzzRequire(placement.showCmd >= 1 && placement.showCmd <= 3, "a show command is normal, minimised or maximised");
    if (!HasPlace(placement))
        return;
    const RECT& r = placement.rcNormalPosition;
    const long long width = static_cast<long long>(r.right) - r.left;
    const long long height = static_cast<long long>(r.bottom) - r.top;
    FuzzRequire(width >= 1 && width <= kMaxWindowExtent && height >= 1 && height <= kMaxWindowExtent,
                "a rectangle has a usable size");
    FuzzRequire(r.left >= -kMaxCorner && r.left <= kMaxCorner && r.top >= -kMaxCorner && r.top <= kMaxCorner,
                "a rectangle's corner stays near the origin");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    SavedFrame frame;
    std::vector<SavedWindow> windows;
    const int status = CWorkspaceReader::ReadBytes(data, size, &frame, &windows);
    FuzzRequire(status == CFG_OK || status == 182 || status == 185 || status == 186 || status == 187 || status == 188,
                "reading ends with one of the reader's statuses");
    if (frame.hasFrame)
        CheckPlacement(frame.placement);
    if (frame.hasFont)
        FuzzRequire(FontUsable(frame.font), "a font handed on is usable");
    FuzzRequire(frame.hasFrame || (!frame.hasStatusBar && !frame.hasToolBar), "the bars only after a frame record");
    int outputs = 0;
    for (const SavedWindow& window : windows) {
        CheckPlacement(window.placement);
        if (!window.isEditor) {
            ++outputs;
            continue;
        }
        const std::size_t length = strnlen(window.name, sizeof window.name);
        FuzzRequire(length > 0 && length < sizeof window.name, "an editor's name is terminated and not empty");
        FuzzRequire(window.line >= -1, "a caret line is -1 (none) or a line");
        FuzzRequire(window.column >= 1 && window.column <= CWorkspaceReader::kMaxColumn, "a caret column is bounded");
    }
    FuzzRequire(outputs <= 1, "at most one output window is restored");
    return 0;
}
