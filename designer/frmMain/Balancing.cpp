#include "designer/frmMain/Balancing.h"

#include <charconv>
#include <vector>

#include "platform/MessageService.h"

namespace vantorell {
namespace {

constexpr std::int64_t kFull = 1'000'000;

struct Share {
    std::int64_t value = 0;
    bool locked = false;
};

Share shareOf(const std::string& text) {
    Share share;
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '|') {
        share.locked = true;
        digits.remove_prefix(1);
    }
    std::from_chars(digits.data(), digits.data() + digits.size(), share.value);
    return share;
}

std::string textOf(const Share& share) {
    return (share.locked ? "|" : "") + std::to_string(share.value);
}

bool inRange(std::int64_t v) {
    return v >= 0 && v <= kFull;
}

bool changeable(std::int64_t step, int direction, const std::vector<Share>& shares, int skip,
                int index) {
    const Share& own = shares[static_cast<std::size_t>(index)];
    const std::int64_t ownStep = own.locked ? step + 1 : intPercentageGetStep(own.value);
    if (step >= ownStep) {
        return true;
    }
    const int n = static_cast<int>(shares.size());
    for (int i = 0; i < n; ++i) {
        const int p = (index + i) % n;
        const Share& other = shares[static_cast<std::size_t>(p)];
        if (!other.locked && p != skip && step >= intPercentageGetStep(other.value) &&
            inRange(other.value + direction)) {
            return false;
        }
    }
    return true;
}

}  // namespace

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

bool flgArrPercentagesIsCellChangeable(std::int64_t step, int direction,
                                       const TDynamicArrayOfStrings& texts, int skip, int index) {
    if (index < 0 || index >= static_cast<int>(texts.size())) {
        return false;
    }
    std::vector<Share> shares;
    shares.reserve(texts.size());
    for (const std::string& text : texts) {
        shares.push_back(shareOf(text));
    }
    return changeable(step, direction, shares, skip, index);
}

void strArrBalanceToNPercent(TDynamicArrayOfStrings& texts, int first, int last, bool fromEnd,
                             std::int64_t target) {
    if (first < 0 || last >= static_cast<int>(texts.size()) || first > last) {
        return;
    }
    std::vector<Share> run;
    std::int64_t sum = 0;
    for (int i = first; i <= last; ++i) {
        run.push_back(shareOf(texts[static_cast<std::size_t>(i)]));
        sum += run.back().value;
    }
    const int n = static_cast<int>(run.size());
    const std::int64_t diff = sum - target;
    if (diff != 0) {
        const int direction = diff > 0 ? -1 : 1;
        std::int64_t remaining = diff > 0 ? diff : -diff;
        int cursor = fromEnd ? n - 1 : 0;
        int idle = 0;  // entries visited since something last moved
        while (remaining > 0 && idle < n) {
            Share& share = run[static_cast<std::size_t>(cursor)];
            std::int64_t step = intPercentageGetStep(share.value);
            if (remaining < step) {
                step = remaining;
            }
            const std::int64_t moved = share.value + direction * step;
            if (!share.locked && inRange(moved) && changeable(step, direction, run, -1, cursor)) {
                share.value = moved;
                remaining -= step;
                idle = 0;
            } else {
                ++idle;
            }
            cursor = fromEnd ? (cursor == 0 ? n - 1 : cursor - 1) : (cursor + 1) % n;
        }
        sum = 0;
        for (int i = 0; i < n; ++i) {
            texts[static_cast<std::size_t>(first + i)] = textOf(run[static_cast<std::size_t>(i)]);
            sum += run[static_cast<std::size_t>(i)].value;
        }
    }
    if (sum != target) {
        showMessage("Balancing Percentages",
                    "The percent bars where not properly balanced to " + std::to_string(target) +
                        " percent.",
                    MessageIcon::Error);
    }
}

}  // namespace vantorell
