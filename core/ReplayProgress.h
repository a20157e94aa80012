#pragma once
// How far each match slot has replayed its recorded match. All slots share one replay minute, but a
// slot releases each minute of its match once: a slot loaded later catches up from the start, and a
// slot that has already released a minute never releases it again, whatever the shared minute does.
#include <array>
#include <climits>

class ReplayProgress {
public:
    static constexpr int Slots = 10;

    ReplayProgress() { last_.fill(Nothing); }

    // A recorded match was loaded into Slot: none of its minutes is released yet.
    void Restart(int Slot);
    // Whether the replay step of StepMinute releases, in Slot, an event of EventMinute: every minute
    // after the slot's last released one up to the step's.
    bool Releases(int Slot, int EventMinute, int StepMinute) const;
    // The step of StepMinute is done for Slot: its minutes up to StepMinute are released.
    void Released(int Slot, int StepMinute);
    static constexpr int Nothing = INT_MIN;

private:
    static bool valid(int slot) { return slot >= 0 && slot < Slots; }
    std::array<int, Slots> last_;
};
