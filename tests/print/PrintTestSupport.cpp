#include "PrintTestSupport.h"

#include <gtest/gtest.h>

std::vector<std::vector<std::string>> RecordedPages(const RecordingPrintDevice& device, const PrintLayout& layout)
{
    std::vector<std::vector<std::string>> pages;
    for (const RecordingPrintDevice::Call& call : device.Calls()) {
        if (call.name == "StartPage")
            pages.emplace_back();
        if (call.name != "TextOut")
            continue;
        EXPECT_EQ(call.y % layout.lineHeight, 0) << "not on a row: " << call.text.toStdString();
        if (call.x != 0) {
            EXPECT_EQ(call.x, device.horzRes / 2 - device.TextExtent(call.text).width() / 2)
                << "not centred: " << call.text.toStdString();
        }
        if (pages.empty()) {
            ADD_FAILURE() << "drawn outside a page: " << call.text.toStdString();
            continue;
        }
        pages.back().push_back(std::to_string(call.y / layout.lineHeight) + ":" + call.text.toStdString());
    }
    return pages;
}
