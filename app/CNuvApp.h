#pragma once
// The application object: start-up in its fixed order, and what remains to do
// when the message loop has ended.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/CRecoveryStore.h"
#include "platform/Win32Types.h"

class CMainFrame;
class CNuvOutput;
class CTerminationSignals;
struct SavedFrame;

class CNuvApp {
public:
    // Seams for the start-up failure paths: each returns nullptr when the object
    // cannot be made.
    using FrameFactory = std::function<CMainFrame*()>;
    using OutputFactory = std::function<CNuvOutput*()>;

    CNuvApp();
    ~CNuvApp();
    CNuvApp(const CNuvApp&) = delete;
    CNuvApp& operator=(const CNuvApp&) = delete;

    void SetFactories(FrameFactory frame, OutputFactory output);
    // Start-up; FALSE ends the program at once, with no window left open. With
    // a valid _nuv_.cfg in the current directory the frame's place, the editor
    // font, the bars and the two profile settings come back from it, and then,
    // unless `models` name files (which are opened instead, and the file
    // deleted), the editor and output windows. A missing or damaged file shows
    // nothing: the workspace is simply not restored. `models` are the
    // command line's model arguments, each one file name of bytes.
    BOOL InitInstance(const std::vector<std::string>& models);
    // After the message loop: the recent-file list goes back to the profile.
    // The recovery copies of this session go with the object; a crash or a
    // termination signal never destroys it, so its copies stay for the next start.
    void ExitInstance();
    CMainFrame* Frame() const { return m_pFrame.get(); }

private:
    void Fail();
    void RestoreFrame(const SavedFrame& saved);
    void PlaceAtDefault();
    void StartRecovery();
    void OnTerminationSignal(int signal);

    FrameFactory m_makeFrame;
    OutputFactory m_makeOutput;
    CRecoveryStore m_recovery;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<CTerminationSignals> m_pTermination;
};
