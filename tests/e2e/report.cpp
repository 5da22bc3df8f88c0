#include "report.h"

#include <cstdio>

namespace e2e {

namespace {

void PrintLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);  // the script shows progress as it comes
}

}  // namespace

bool Report::Check(bool ok, std::string_view what, std::string_view why) {
    (ok ? passed_ : failed_) += 1;
    std::string line = ok ? "ok   " : "FAIL ";
    line += what;
    if (!ok && !why.empty()) {
        line += ": ";
        line += why;
    }
    PrintLine(line);
    return ok;
}

void Report::Section(std::string_view name) {
    PrintLine("== " + std::string{name});
}

void Report::Note(std::string_view text) {
    PrintLine("   " + std::string{text});
}

void Report::Summary() const {
    PrintLine(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed");
}

}  // namespace e2e
