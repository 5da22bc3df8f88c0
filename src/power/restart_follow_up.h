#pragma once

#include <chrono>
#include <memory>
#include <vector>

namespace kalvoro {

// How a started command has ended, as far as is known yet.
enum class CommandEnd { Running, Succeeded, Failed };

class StartedCommand {
  public:
    virtual ~StartedCommand() = default;
    virtual CommandEnd End() const = 0;
};

// Asks the system itself for a restart due after the delay, or hears that
// the command took it.
class RestartRequest {
  public:
    virtual ~RestartRequest() = default;
    virtual void HandOver(std::chrono::seconds delay) = 0;
    virtual void Taken() = 0;
};

// Follows the restarts handed to the system's Shutdown command until their
// command ends. Windows XP's command takes a comment of 127 characters at
// most, and the restart's has 143: where a command refuses its line, it ends
// with a failure code and restarts nothing. The same restart is then handed
// to the system itself, due when the command's would have been, and never
// less than a second ahead. After a cancel nothing is handed over. Times are
// milliseconds of the caller's steady clock.
class RestartFollowUp {
  public:
    explicit RestartFollowUp(RestartRequest& system) : system_(system) {}

    void Started(std::unique_ptr<StartedCommand> command, std::chrono::milliseconds now);
    void Cancelled() { followed_.clear(); }
    // Looks at every command followed; true while one still runs.
    bool Poll(std::chrono::milliseconds now);
    // Whether the program itself has asked the system for a restart.
    bool HandedOver() const { return handedOver_; }

  private:
    struct Followed {
        std::unique_ptr<StartedCommand> command;
        std::chrono::milliseconds started;
    };
    RestartRequest& system_;
    std::vector<Followed> followed_;
    bool handedOver_ = false;
};

}  // namespace kalvoro
