#pragma once
// A step of a longer routine whose failure is passed over: the routine goes on with its next step, and
// what the step did before it failed stays.
#include <exception>

template <typename Step> void Guarded(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}
