#include "core/ReplayProgress.h"

#include <algorithm>

void ReplayProgress::Restart(int Slot) {
    if (valid(Slot))
        last_[Slot] = Nothing;
}

bool ReplayProgress::Releases(int Slot, int EventMinute, int StepMinute) const {
    return valid(Slot) && EventMinute > last_[Slot] && EventMinute <= StepMinute;
}

void ReplayProgress::Released(int Slot, int StepMinute) {
    if (valid(Slot))
        last_[Slot] = std::max(last_[Slot], StepMinute);
}
