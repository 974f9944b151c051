#include "print/PrintLayout.h"

#include <QString>
#include <algorithm>

#include "platform/IPrintDevice.h"

PrintLayout PrintLayout::Measure(const IPrintDevice& device)
{
    PrintLayout layout;
    const QSize m = device.TextExtent(QStringLiteral("M"));
    layout.lineHeight = std::max(m.height() + device.ExternalLeading(), 1);
    layout.rowsPerPage = device.VertRes() / layout.lineHeight;
    layout.bodyRowLimit = std::max(layout.rowsPerPage - 10, 0);
    layout.charWidth = std::max(m.width() + device.TextCharacterExtra(), 1);
    layout.pageColumns = std::max(device.HorzRes() / layout.charWidth, 0);
    layout.lineCapacity = std::clamp(layout.pageColumns - 10, 0, kMaxLineCapacity);
    return layout;
}
