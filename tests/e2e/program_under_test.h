#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "window_finding.h"

namespace e2e {

// One run of the program, started by CreateProcessW in a working directory of
// its own, so that its power log (kalvoro-power.log there) is its alone.
// Whatever is still running when the object goes is ended.
class ProgramUnderTest {
  public:
    ProgramUnderTest(const std::wstring& executable, const std::wstring& directory);
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;
    ~ProgramUnderTest();

    bool Started() const { return process_.hProcess != nullptr; }
    bool Alive() const;
    bool WaitForExit(std::chrono::milliseconds timeout);

    // The program's windows as found now; nullptr when absent.
    HWND Main() const { return TopLevelWindow(process_.dwProcessId, kMainClass); }
    HWND Countdown() const { return TopLevelWindow(process_.dwProcessId, kCountdownClass); }
    HWND Menu() const { return TopLevelWindow(process_.dwProcessId, kMenuClass); }
    HWND MessageBox() const { return TopLevelWindow(process_.dwProcessId, kDialogClass); }
    // A control of the main window or of the countdown window.
    HWND MainControl(ControlId id) const { return Child(Main(), id); }
    HWND CountdownControl(ControlId id) const { return Child(Countdown(), id); }

    // Waits until the main window exists and its clock has ticked once.
    bool WaitUntilReady() const;

    // The lines of kalvoro-power.log, without their "\r\n"; none if absent.
    std::vector<std::string> PowerLog() const;

  private:
    std::wstring directory_;
    PROCESS_INFORMATION process_{};
};

}  // namespace e2e
