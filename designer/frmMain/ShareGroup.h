#pragma once
// One sibling group's shares while they are balanced: values with their locks, and a count
// of the unlocked shares by step size, so that the changeability test answers without
// walking the group. Every balancing routine works on one of these, whatever the shares
// come from (texts, grid rows, tree nodes).

#include <array>
#include <cstdint>
#include <vector>

namespace vantorell {

inline constexpr std::int64_t kFullShare = 1'000'000;

struct Share {
    std::int64_t value = 0;
    bool locked = false;
};

inline bool flgShareInRange(std::int64_t value) {
    return value >= 0 && value <= kFullShare;
}

class ShareGroup {
public:
    ShareGroup() = default;
    explicit ShareGroup(std::vector<Share> shares);

    void add(Share share);
    int size() const { return static_cast<int>(shares_.size()); }
    std::int64_t value(int index) const { return shares_[static_cast<std::size_t>(index)].value; }
    bool locked(int index) const { return shares_[static_cast<std::size_t>(index)].locked; }
    void setValue(int index, std::int64_t value);
    const std::vector<Share>& shares() const { return shares_; }

    // Whether the share at `index` may take a change of `step` in `direction` (+1 or -1):
    // yes when the step is not below its own step (a locked share's counts as one more);
    // otherwise only when no unlocked share but `skip` has an own step not above the step
    // and could move by one in that direction within 0..1,000,000.
    bool flgChangeable(std::int64_t step, int direction, int skip, int index) const;

private:
    // Steps are powers of ten; the class of a share is the exponent of its step.
    static constexpr int kStepClasses = 19;
    static int intStepClass(std::int64_t value);
    // Adds (+1) or removes (-1) a share from the counts.
    void nulCount(const Share& share, int sign);
    // Unlocked shares that could move by one in the direction and whose step is not above
    // `step`.
    long long intCandidates(std::int64_t step, int direction) const;
    bool flgCandidate(const Share& share, std::int64_t step, int direction) const;

    std::vector<Share> shares_;
    std::array<long long, kStepClasses> canRise_{};
    std::array<long long, kStepClasses> canFall_{};
};

// Brings the shares first..last to `target` total, one share at a time by its step (at most
// what is left), from `first` on or, with `fromEnd`, from `last` backwards, round and round.
// Locked shares and moves that would leave 0..1,000,000 are passed over. With
// `percentageStep` the step is intPercentageGetStep and a move also needs the changeability
// test; otherwise the step is a tenth of the share, at least 1. Stops after a full round in
// which nothing moved. True when the run totals `target`.
bool flgShareRunBalance(ShareGroup& group, int first, int last, bool fromEnd, std::int64_t target,
                        bool percentageStep);

}  // namespace vantorell
