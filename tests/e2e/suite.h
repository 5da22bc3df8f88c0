#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "fake_tray.h"
#include "program_under_test.h"
#include "report.h"

namespace e2e {

// What every scenario works with: the report, the shell's notification area
// and the program, started afresh for each use in a directory of its own.
class Suite {
  public:
    Suite(Report& checks, FakeTray& shell, std::wstring program, std::wstring workRoot)
        : report(checks),
          tray(shell),
          program_(std::move(program)),
          workRoot_(std::move(workRoot)) {}

    // Started and ready: its main window is there and its clock has ticked.
    std::unique_ptr<ProgramUnderTest> Start(std::wstring_view name);
    // Started, nothing waited for.
    std::unique_ptr<ProgramUnderTest> Launch(std::wstring_view name);

    Report& report;
    FakeTray& tray;

  private:
    std::wstring program_;
    std::wstring workRoot_;
    int started_ = 0;
};

struct Scenario {
    std::string_view name;
    void (*run)(Suite& suite);
};

// The scenarios, one function each, grouped in files by subject.
void StartUp(Suite& suite);
void Refusal(Suite& suite);
void CountdownsRunToTheirEnd(Suite& suite);
void CancelInEachCountdown(Suite& suite);
void IconMenu(Suite& suite);
void ArmingFromTheMenu(Suite& suite);
void ChangesWhileArmed(Suite& suite);
void CloseBoxes(Suite& suite);
void TaskbarCreated(Suite& suite);
void Storm(Suite& suite);

}  // namespace e2e
