#include "res/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by identifier.
constexpr Entry kEntries[] = {
    {100, "NUV"},
    {102, "File is too large. Use another editor to edit this file."},
    {103, "Not enough memory."},
    {104, "Cannot open the file %s"},
    {105, "Cannot write the file %s"},
    {107, "Cannot read the file %s"},
    {110, "NUV - Open File"},
    {111, "Models(*.nuv)|*.nuv|Backups(*.nu$)|*.nu$|Output Files(*.out)|*.out|Preprocessor Listings(*.prp)|*.prp|All "
          "Files(*.*)|*.*|"},
    {112, "NUV - Save File As"},
    {118, "NUV - Run Model"},
    {121, "Untitled"},
    {126, "NUV - Load File Into Active Window"},
    {127, "Output - "},
    {131, "String '%s' was not found"},
    {132, " has changed. Would You like to save the changes?"},
    {133, "Cannot create the file %s"},
    {134, "Cannot write output file %s"},
    {137, "The model '%s' has finished"},
    {139, "Not enough memory to load the file %s"},
    {140, "Cannot use the library TAVO.DLL!"},
    {141, "Cannot load the library TAVO.DLL!"},
    {142, "Couldn't search the Output window!"},
    {144, "An error has occured while sending data to the printer. Print job terminated!"},
    {146, "Not enough memory. Print job terminated!"},
    {147, "Not enough disk space. Print job terminated!"},
    {154, "The model '%s' has finished. Output saved in the file '%s'"},
    {156, ""},
    {157, "The running model will be terminated. Are you sure you want to exit NUV ?"},
    {158, "Terminate processing of %s?"},
    {159, "NUV - < Running %s >"},
    {160, "File %s already loaded"},
    {161, "This character is not a brace"},
    {162, "Matching brace found"},
    {163, "The file you are overwriting is already loaded. That window will close"},
    {164, "There is no match for this brace"},
    {165, "The comment starting on line %s continuous to the end of file"},
    {166, "Misplaced comment termination characters '*/' found on line %s"},
    {167, "The quoted string starting on line %s continuous to the end of file"},
    {168, "Sorry, this option is unavailable in this version of the NUV. It will be available in future versions of the "
          "system"},
    {169, "Not enough memory to accumulate output."},
    {170, "File %s saved"},
    {171, "File %s loaded"},
    {172, "Initialization of the application failed. Possible reason: not enough memory. NUV will close."},
    {173, "Not enough memory to load all the files."},
    {174, "String '%s' was found %s times"},
    {175, "String '%s' was found"},
    {176, "The DLL %s does not exist or it might not be in the current directory. Do you still wish to add it to the "
          "list?"},
    {177, "NUV - Choose additional DLL"},
    {178, "The DLL '%s' is already in the list"},
    {179, "Additional DLLs(*.dll)|*.dll|All Files(*.*)|*.*|"},
    {180, "Output Files(*.out)|*.out|All Files(*.*)|*.*|"},
    {181, "Preprocessor output(*.prp)|*.prp|Models(*.nuv)|*.nuv|All Files(*.*)|*.*|"},
    {182, "The configuration file '_nuv_.cfg' not found. Previous configuration is not restored"},
    {185, "Error writting configuration file. Current configuration is not saved"},
    {186, "Corrupted configuration file found. Cannot restore previous configuration"},
    {187, "Not enough memory to save current configuration"},
    {188, "Error reading configuration file. Cannot restore previous configuration"},
    {189, "Not enough memory to create window for '%s'"},
    {190, "Cannot create timer. No timer available left in the system"},
    {191, "  . . . Execution time was %d hours %d minutes %d seconds\n"},
    {192, "Not enough memory to load preprocessor's output."},
    {193, "The library '%s' is being used by another instance of the NUV. Please terminate the running model in that "
          "instance before running a model in this instance of the NUV!"},
    {200, "The preprocessor listing was not loaded: the window '%s' keeps its changes\n"},
    {220, "The name of the DLL is too long. A DLL name can have at most %d bytes, and a letter other than A to Z "
          "takes two to four of them."},
    {230, "No printer is installed, so there is nothing to set up. Install a printer and make it the default printer "
          "to print from NUV."},
    {240, "NUV did not end properly last time. The unsaved changes of %d model(s) can be recovered: %s.\n\nYes "
          "reopens them, No deletes them, Cancel keeps them for the next start."},
    {241, "NUV: the interpreter library crashed and NUV ends now. The models with unsaved changes can be recovered "
          "at the next start of NUV.\n"},
    {242, "NUV: a fatal error occurred and NUV ends now. The models with unsaved changes can be recovered at the "
          "next start of NUV.\n"},
    {243, " (recovered copy)"},
    {244, "Unsaved changes are not protected against a crash in this session: the recovery folder %s cannot be "
          "used (%s)."},
    {260, "The selection is too large to copy: at most 64 MB of text can go to the clipboard. Select less, or "
          "keep the whole output with Save As."},
    {57345, "Ready"},
    {59137, "CAPS"},
    {59138, "NUM"},
    {59142, "000000"},
    {59143, "000"},
    {59144, "00:00:00"},
    {61184, "Change the window size"},
    {61185, "Change the window position"},
    {61186, "Reduce the window to an icon"},
    {61187, "Enlarge the window to full size"},
    {61188, "Switch to the next window"},
    {61190, "Close the active window"},
    {61202, "Restore the window to normal size"},
    {61203, "Activate Task List"},
    {61215, "Activate this window"},
};

static_assert(std::is_sorted(std::begin(kEntries), std::end(kEntries),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }));

}  // namespace

const char* LoadStringEntry(int id)
{
    const auto it = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                                     [](const Entry& e, int wanted) { return e.id < wanted; });
    return it != std::end(kEntries) && it->id == id ? it->text : nullptr;
}
