#include "ui/number_place.h"

#include <algorithm>
#include <array>

#include "countdown/countdown_kind.h"
#include "ui/layout.h"

namespace kalvoro::layout {
namespace {

// The run of blanks before "seconde(s)", in pixels from the sentence's left edge.
struct Gap {
    int start;
    int end;
};

Gap GapOf(std::string_view sentence, const TextWidth& width) {
    const auto [before, after] = SplitAroundNumber(sentence);
    return {width(before), width(sentence.substr(0, sentence.size() - after.size()))};
}

bool Inside(int left, int textWidth, int spare, const Gap& gap) {
    return left >= gap.start && left + textWidth + spare <= gap.end;
}

const CountdownKind& KindOf(WindowId window) {
    for (ActionKind action : {ActionKind::PowerOff, ActionKind::Restart, ActionKind::Standby}) {
        if (CountdownKindOf(action).window == window)
            return CountdownKindOf(action);
    }
    return CountdownKindOf(ActionKind::PowerOff);
}

}  // namespace

int NumberLeftPixels(WindowId window, int dpi, const TextWidth& width) {
    const WindowLayout& layout = LayoutOf(window);
    const int sentenceLeft =
        TwipsToPixels(FindControl(layout, ControlId::Sentence)->place.left, dpi);
    const int layoutLeft = TwipsToPixels(FindControl(layout, ControlId::Number)->place.left, dpi);
    const CountdownKind& kind = KindOf(window);
    const Gap wide = GapOf(kind.wideSentence, width);
    const Gap narrow = GapOf(kind.narrowSentence, width);
    const int blank = width(" ");
    const int left = layoutLeft - sentenceLeft;
    if (Inside(left, width("12"), blank, wide) && Inside(left, width("9"), blank, narrow) &&
        Inside(left, width("0"), 0, narrow) && Inside(left, width("-1"), 0, narrow)) {
        return layoutLeft;
    }
    // The font draws wider than the layout assumed: one blank after the later
    // of the two sentences' last words, so no number ever touches a word.
    return sentenceLeft + std::max(wide.start, narrow.start) + blank;
}

}  // namespace kalvoro::layout
