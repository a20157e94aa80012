#include "ServiceClock.h"

#include <cmath>

ServiceClock::ServiceClock(const QDateTime& start, double speed)
    : start_(start), speed_(speed), setAt_(std::chrono::steady_clock::now()) {}

QDateTime ServiceClock::Now() const {
    std::lock_guard lock(mutex_);
    const auto elapsed = std::chrono::steady_clock::now() - setAt_;
    const double realMs = std::chrono::duration<double, std::milli>(elapsed).count();
    return start_.addMSecs(static_cast<qint64>(std::floor(realMs * speed_)));
}

void ServiceClock::Set(const QDateTime& start) {
    std::lock_guard lock(mutex_);
    start_ = start;
    setAt_ = std::chrono::steady_clock::now();
}
