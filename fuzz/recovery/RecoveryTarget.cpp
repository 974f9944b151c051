// Fuzzes the reader of recovery copies over any file: it accepts exactly the
// copies the writer makes (what it accepts encodes back to the same bytes), and
// what it accepts is safe to reopen: a caret line from 0, a column from 1, a
// name without a zero byte.
#include "FuzzCheck.h"

#include "editor/RecoveryRecord.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    RecoveryRecord record;
    if (!DecodeRecoveryRecord(reinterpret_cast<const char*>(data), size, &record))
        return 0;
    FuzzRequire(EncodeRecoveryRecord(record) == std::string(reinterpret_cast<const char*>(data), size),
                "an accepted copy is exactly what the writer makes of it");
    FuzzRequire(record.line0 >= 0 && record.column1 >= 1, "the caret of an accepted copy is in range");
    FuzzRequire(record.fileName.find('\0') == std::string::npos, "an accepted name has no zero byte");
    return 0;
}
