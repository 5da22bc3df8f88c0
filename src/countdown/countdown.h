#pragma once

#include <array>
#include <string>
#include <string_view>

#include "countdown/countdown_host.h"
#include "countdown/countdown_kind.h"

namespace kalvoro {

// One open countdown window: the number falls from 12 once a second, the bar
// grows every 10 ms, and the finish comes when the bar is full, on its 1312th
// tick. Created afresh at each opening, so every countdown starts from the
// beginning.
class Countdown {
  public:
    static constexpr int kStartNumber = 12;
    static constexpr int kNarrowBelow = 10;
    static constexpr float kStartBar = 15.0f;  // twips
    static constexpr double kBarStep = 5.5;    // twips a bar tick
    static constexpr float kBarLimit = 7230.0f;

    Countdown(const CountdownKind& kind, CountdownHost& host, AllWindows& windows,
              PowerActions& power);

    // Handlers. A handler that ends in closing the windows destroys this
    // object: nothing may follow that step.
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Annuler_Click();

    // What the window shows.
    WindowId window() const { return kind_.window; }
    std::string_view Label2() const { return {numberText_.data(), numberLength_}; }
    std::string_view Label3() const { return sentence_; }
    float Label1Width() const { return bar_; }
    bool Label2Visible() const { return numberVisible_; }
    std::string_view Annuler() const { return button_; }
    bool Timer1Running() const { return timer1Running_; }
    // The sentence with the number in its gap, as one line of text.
    std::string Announcement() const;

  private:
    void Label2_Change();
    void SetNumber(int number);
    void WriteNumberText();
    void Finish();
    void SetTimer(CountdownTimer timer, bool running);

    const CountdownKind& kind_;
    CountdownHost& host_;
    AllWindows& windows_;
    PowerActions& power_;

    int number_ = kStartNumber;
    std::array<char, 12> numberText_{};
    std::size_t numberLength_ = 0;
    std::string_view sentence_;
    float bar_ = kStartBar;
    bool numberVisible_ = true;
    std::string_view button_ = kCancelButton;
    bool timer1Running_ = false;
    bool timer2Running_ = false;
};

}  // namespace kalvoro
