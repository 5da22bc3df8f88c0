#include "suite.h"

namespace e2e {

std::unique_ptr<ProgramUnderTest> Suite::Start(std::wstring_view name) {
    auto program = Launch(name);
    report.Check(program->Started() && program->WaitUntilReady(),
                 "the program starts and its main window's clock ticks");
    return program;
}

std::unique_ptr<ProgramUnderTest> Suite::Launch(std::wstring_view name) {
    started_ += 1;
    const std::wstring directory =
        workRoot_ + L"\\" + std::to_wstring(started_) + L"-" + std::wstring{name};
    return std::make_unique<ProgramUnderTest>(program_, directory);
}

}  // namespace e2e
