#include "power/restart_follow_up.h"

#include <gtest/gtest.h>

#include <optional>

namespace kalvoro {
namespace {

using std::chrono::milliseconds;

// A command that runs until its end comes, then ends as told.
struct FakeCommand final : StartedCommand {
    const milliseconds& now;
    milliseconds endsAt;
    CommandEnd endsAs;
    FakeCommand(const milliseconds& clock, milliseconds at, CommandEnd as)
        : now(clock), endsAt(at), endsAs(as) {}
    CommandEnd End() const override { return now >= endsAt ? endsAs : CommandEnd::Running; }
};

struct Recorder final : RestartRequest {
    std::vector<int> delays;  // seconds of each hand-over; 0: the command took the restart
    void HandOver(std::chrono::seconds delay) override {
        delays.push_back(static_cast<int>(delay.count()));
    }
    void Taken() override { delays.push_back(0); }
};

struct Case {
    const char* what;
    int endsAtMs;
    CommandEnd endsAs;
    std::optional<int> cancelAtMs;
    std::vector<int> handedOverWith;  // as Recorder::delays
};

// clang-format off
const Case kCases[] = {
    {"the command accepts the line",        300,   CommandEnd::Succeeded, {},   {0}},
    {"it refuses it at once",               0,     CommandEnd::Failed,    {},   {12}},
    {"it refuses it after 2.45 s",          2450,  CommandEnd::Failed,    {},   {10}},
    {"it refuses it after 11.5 s",          11500, CommandEnd::Failed,    {},   {1}},
    {"it refuses it after its delay",       12700, CommandEnd::Failed,    {},   {1}},
    {"the cancel comes before the refusal", 3000,  CommandEnd::Failed,    1000, {}},
    {"the cancel comes after the refusal",  500,   CommandEnd::Failed,    2000, {12}},
};
// clang-format on

// The restart started at 0 and followed every 100 ms, as the program's timer
// does, for as long as the follow-up asks.
TEST(RestartFollowUp, HandsTheRefusedRestartToTheSystemWithTheDelayLeft) {
    for (const Case& c : kCases) {
        milliseconds now{0};
        Recorder requests;
        RestartFollowUp followUp(requests);
        followUp.Started(std::make_unique<FakeCommand>(now, milliseconds{c.endsAtMs}, c.endsAs),
                         now);
        for (bool running = true; running && now <= milliseconds{20000}; now += milliseconds{100}) {
            if (c.cancelAtMs && now == milliseconds{*c.cancelAtMs}) {
                followUp.Cancelled();
            }
            running = followUp.Poll(now);
        }
        EXPECT_EQ(requests.delays, c.handedOverWith) << c.what;
        EXPECT_EQ(followUp.HandedOver(), !c.handedOverWith.empty() && c.handedOverWith[0] != 0)
            << c.what;
    }
}

}  // namespace
}  // namespace kalvoro
