#include "designer/frmMain/ShareGroup.h"

#include <utility>

#include "designer/frmMain/Balancing.h"

namespace vantorell {

ShareGroup::ShareGroup(std::vector<Share> shares) : shares_(std::move(shares)) {
    for (const Share& share : shares_) {
        nulCount(share, +1);
    }
}

void ShareGroup::add(Share share) {
    shares_.push_back(share);
    nulCount(share, +1);
}

void ShareGroup::setValue(int index, std::int64_t value) {
    Share& share = shares_[static_cast<std::size_t>(index)];
    nulCount(share, -1);
    share.value = value;
    nulCount(share, +1);
}

int ShareGroup::intStepClass(std::int64_t value) {
    int c = 0;
    for (std::int64_t step = intPercentageGetStep(value); step >= 10; step /= 10) {
        ++c;
    }
    return c;
}

void ShareGroup::nulCount(const Share& share, int sign) {
    if (share.locked) {
        return;
    }
    const auto c = static_cast<std::size_t>(intStepClass(share.value));
    if (flgShareInRange(share.value + 1)) {
        canRise_[c] += sign;
    }
    if (flgShareInRange(share.value - 1)) {
        canFall_[c] += sign;
    }
}

bool ShareGroup::flgCandidate(const Share& share, std::int64_t step, int direction) const {
    return !share.locked && step >= intPercentageGetStep(share.value) &&
           flgShareInRange(share.value + direction);
}

long long ShareGroup::intCandidates(std::int64_t step, int direction) const {
    if (step < 1) {
        return 0;
    }
    const auto& counts = direction > 0 ? canRise_ : canFall_;
    long long total = 0;
    std::int64_t classStep = 1;
    for (long long count : counts) {
        total += count;
        if (classStep > step / 10) {
            break;  // the next class's step would pass the step
        }
        classStep *= 10;
    }
    return total;
}

bool ShareGroup::flgChangeable(std::int64_t step, int direction, int skip, int index) const {
    if (index < 0 || index >= size()) {
        return false;
    }
    const Share& own = shares_[static_cast<std::size_t>(index)];
    const std::int64_t ownStep = own.locked ? step + 1 : intPercentageGetStep(own.value);
    if (step >= ownStep) {
        return true;
    }
    // The share itself is no candidate: it is locked or its own step is above the step.
    long long others = intCandidates(step, direction);
    if (skip >= 0 && skip < size() &&
        flgCandidate(shares_[static_cast<std::size_t>(skip)], step, direction)) {
        --others;
    }
    return others == 0;
}

bool flgShareRunBalance(ShareGroup& group, int first, int last, bool fromEnd, std::int64_t target,
                        bool percentageStep) {
    if (first < 0 || last >= group.size() || first > last) {
        return false;
    }
    std::int64_t sum = 0;
    for (int i = first; i <= last; ++i) {
        sum += group.value(i);
    }
    const std::int64_t diff = sum - target;
    if (diff == 0) {
        return true;
    }
    const int direction = diff > 0 ? -1 : 1;
    std::int64_t remaining = diff > 0 ? diff : -diff;
    const int n = last - first + 1;
    int cursor = fromEnd ? last : first;
    int idle = 0;  // shares visited since something last moved
    while (remaining > 0 && idle < n) {
        const std::int64_t v = group.value(cursor);
        std::int64_t step = percentageStep ? intPercentageGetStep(v) : v / 10;
        if (step < 1) {
            step = 1;  // small shares move by one, so that a run of them still gets somewhere
        }
        if (remaining < step) {
            step = remaining;
        }
        const std::int64_t moved = v + direction * step;
        if (!group.locked(cursor) && flgShareInRange(moved) &&
            (!percentageStep || group.flgChangeable(step, direction, -1, cursor))) {
            group.setValue(cursor, moved);
            remaining -= step;
            idle = 0;
        } else {
            ++idle;
        }
        if (fromEnd) {
            cursor = cursor == first ? last : cursor - 1;
        } else {
            cursor = cursor == last ? first : cursor + 1;
        }
    }
    return remaining == 0;
}

}  // namespace vantorell
