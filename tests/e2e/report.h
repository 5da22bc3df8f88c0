#pragma once

#include <string>
#include <string_view>

namespace e2e {

// Prints one line per check and counts them; the closing line is
// "N passed, N failed".
class Report {
  public:
    // Prints "ok   <what>" or "FAIL <what>[: <why>]" and returns ok.
    bool Check(bool ok, std::string_view what, std::string_view why = {});
    // A heading for the checks that follow.
    void Section(std::string_view name);
    void Note(std::string_view text);
    void Summary() const;

    int passed() const { return passed_; }
    int failed() const { return failed_; }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace e2e
