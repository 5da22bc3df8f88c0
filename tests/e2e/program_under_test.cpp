#include "program_under_test.h"

#include "expected.h"
#include "waiting.h"

namespace e2e {

namespace {

const wchar_t kPowerLogName[] = L"kalvoro-power.log";

}  // namespace

ProgramUnderTest::ProgramUnderTest(const std::wstring& executable, const std::wstring& directory)
    : directory_(directory) {
    CreateDirectoryW(directory.c_str(), nullptr);
    DeleteFileW((directory + L"\\" + kPowerLogName).c_str());
    std::wstring commandLine = L"\"" + executable + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process_)) {
        process_ = {};
    }
}

ProgramUnderTest::~ProgramUnderTest() {
    if (!Started()) {
        return;
    }
    if (Alive()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool ProgramUnderTest::Alive() const {
    return Started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramUnderTest::WaitForExit(std::chrono::milliseconds timeout) {
    return Started() && WaitForSingleObject(process_.hProcess,
                                            static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool ProgramUnderTest::WaitUntilReady() const {
    return WaitUntil([this] {
        const std::wstring clock = TextOf(MainControl(ControlId::TxtHeure));
        return !clock.empty() && clock != kClockPlaceholder;
    });
}

std::vector<std::string> ProgramUnderTest::PowerLog() const {
    std::string content;
    HANDLE file = CreateFileW((directory_ + L"\\" + kPowerLogName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            content.append(buffer, read);
        }
        CloseHandle(file);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

}  // namespace e2e
