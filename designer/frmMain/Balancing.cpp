#include "designer/frmMain/Balancing.h"

#include <charconv>
#include <vector>

#include "platform/MessageService.h"

namespace vantorell {

std::int64_t intPercentageGetStep(std::int64_t value) {
    std::int64_t magnitude = value < 0 ? -value : value;
    if (magnitude == 0) {
        return 1000;
    }
    std::int64_t power = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        power *= 10;
    }
    return power >= 10 ? power / 10 : 1;
}

Share shareOfText(const std::string& text) {
    Share share;
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '|') {
        share.locked = true;
        digits.remove_prefix(1);
    }
    std::from_chars(digits.data(), digits.data() + digits.size(), share.value);
    return share;
}

std::string strShareText(const Share& share) {
    return (share.locked ? "|" : "") + std::to_string(share.value);
}

bool flgArrPercentagesIsCellChangeable(std::int64_t step, int direction,
                                       const TDynamicArrayOfStrings& texts, int skip, int index) {
    ShareGroup group;
    for (const std::string& text : texts) {
        group.add(shareOfText(text));
    }
    return group.flgChangeable(step, direction, skip, index);
}

void strArrBalanceToNPercent(TDynamicArrayOfStrings& texts, int first, int last, bool fromEnd,
                             std::int64_t target) {
    if (first < 0 || last >= static_cast<int>(texts.size()) || first > last) {
        return;
    }
    // The changeability test looks at the run only.
    ShareGroup run;
    for (int i = first; i <= last; ++i) {
        run.add(shareOfText(texts[static_cast<std::size_t>(i)]));
    }
    const bool reached = flgShareRunBalance(run, 0, run.size() - 1, fromEnd, target, true);
    for (int i = 0; i < run.size(); ++i) {
        texts[static_cast<std::size_t>(first + i)] =
            strShareText(run.shares()[static_cast<std::size_t>(i)]);
    }
    if (!reached) {
        nulBalancingFailedMessage(target);
    }
}

void nulBalancingFailedMessage(std::int64_t target) {
    showMessage(
        "Balancing Percentages",
        "The percent bars where not properly balanced to " + std::to_string(target) + " percent.",
        MessageIcon::Error);
}

}  // namespace vantorell
