#include "checks.h"

#include "utf8.h"

namespace e2e {

namespace {

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

std::string Listed(const std::vector<std::string>& lines) {
    std::string out = "[";
    for (const std::string& line : lines) {
        out += (out.size() > 1 ? ", \"" : "\"") + line + "\"";
    }
    return out + "]";
}

}  // namespace

bool CheckText(Report& report, std::string_view what, HWND window, std::wstring_view expected) {
    const std::wstring actual = TextOf(window);
    return report.Check(actual == expected, what,
                        "read " + Quoted(actual) + ", expected " + Quoted(expected));
}

bool CheckTextSoon(Report& report, std::string_view what, HWND window, std::wstring_view expected,
                   milliseconds timeout) {
    WaitUntil([&] { return TextOf(window) == expected; }, timeout);
    return CheckText(report, what, window, expected);
}

bool CheckPowerLog(Report& report, std::string_view what, const ProgramUnderTest& program,
                   const std::vector<std::string>& expected) {
    const std::vector<std::string> actual = program.PowerLog();
    return report.Check(actual == expected, what,
                        "power log " + Listed(actual) + ", expected " + Listed(expected));
}

bool CheckEnds(Report& report, std::string_view what, ProgramUnderTest& program,
               milliseconds timeout) {
    return report.Check(program.WaitForExit(timeout), what,
                        "still running after " + std::to_string(timeout.count()) + " ms");
}

bool CheckSelectedOption(Report& report, std::string_view what, const ProgramUnderTest& program,
                         ControlId selected) {
    std::string seen;
    bool ok = true;
    for (const ControlId option : {ControlId::Arreter, ControlId::Reboot, ControlId::Veille}) {
        const bool checked = IsChecked(program.MainControl(option));
        ok = ok && checked == (option == selected);
        seen += checked ? "x" : "o";
    }
    return report.Check(ok, what, "Arrêter, Reboot, Veille read " + seen);
}

}  // namespace e2e
