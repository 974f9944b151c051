#pragma once
// The rules of the Environment dialog, apart from its widgets: which buttons are
// enabled, which one Enter presses, how the Append box follows Send To File, how
// the DLL list is searched and kept sorted, and which update limits are valid.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

class CEnvironmentRules {
public:
    struct ListButtons {
        bool removeAll;  // the list holds an entry
        bool remove;     // an entry is selected
        bool add;        // the name field holds text
    };
    struct AppendBox {
        bool enabled;
        bool checked;
    };

    static ListButtons ListRule(int entries, bool selected, bool nameHasText);
    // The button Enter presses after typing in the name field: Add (301) while
    // the field holds text, else OK (1).
    static int DefaultButtonAfterTyping(bool nameHasText);

    // Append follows Send To File: while Append is enabled its state is
    // remembered; with Send To File on it is enabled and shows what was
    // remembered, with Send To File off it is cleared and disabled. So turning
    // Send To File off and on again brings Append back, and no other box can
    // make it forget (not even right after opening, when nothing was
    // remembered yet but Append already shows the output window's option).
    AppendBox OutputRule(bool sendToFile, AppendBox append);

    // The first entry equal to `name` with letter case ignored; -1 when none.
    static int FindEntry(const std::vector<std::string>& entries, const std::string& name);
    // Where `name` goes in entries kept in order, letter case ignored.
    static std::size_t SortedPosition(const std::vector<std::string>& entries, const std::string& name);

    // Whether `name` is a plain file that can be read, found without opening it:
    // opening a FIFO would wait for a writer, and a directory, FIFO or device
    // is no library anyway.
    static bool IsLibraryFile(const std::string& name);

    // Decimal digits only (empty counts as 0), value 0..20.
    static bool ParseUpdateLimit(const std::string& text, int* value);

    BOOL m_savedAppend = FALSE;  // 0 each time the dialog opens
};
