// When a burst of change notifications has settled: installers and other tools
// write several values in a row, and the list should be read once, after the
// last of them, yet never later than a moment after the first.
#pragma once
#include <cstdint>

class ChangeCoalescer {
public:
    // quietMs: how long no further change must come; maxDelayMs: the longest
    // wait after the first change of a burst.
    explicit ChangeCoalescer(uint32_t quietMs = 150, uint32_t maxDelayMs = 600)
        : quietMs_(quietMs), maxDelayMs_(maxDelayMs) {}

    // A change was noticed at that time (milliseconds of any steady clock).
    void Notice(uint64_t nowMs) {
        if (!pending_) firstMs_ = nowMs;
        pending_ = true;
        lastMs_ = nowMs;
    }
    bool Pending() const { return pending_; }
    // A burst is pending and has settled (or waited long enough).
    bool Due(uint64_t nowMs) const { return pending_ && MsUntilDue(nowMs) == 0; }
    // How long until Due, for a timer; 0 when due (or nothing is pending).
    uint32_t MsUntilDue(uint64_t nowMs) const {
        if (!pending_) return 0;
        const uint64_t dueAt =
            lastMs_ + quietMs_ < firstMs_ + maxDelayMs_ ? lastMs_ + quietMs_ : firstMs_ + maxDelayMs_;
        return nowMs >= dueAt ? 0 : static_cast<uint32_t>(dueAt - nowMs);
    }
    // The list was read again.
    void Done() { pending_ = false; }

private:
    uint32_t quietMs_;
    uint32_t maxDelayMs_;
    bool pending_ = false;
    uint64_t firstMs_ = 0;
    uint64_t lastMs_ = 0;
};
