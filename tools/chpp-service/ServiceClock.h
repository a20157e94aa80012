#pragma once
// The service's clock: now = start + real time elapsed since the start was set * speed.
#include <QDateTime>
#include <chrono>
#include <mutex>

class ServiceClock {
public:
    ServiceClock(const QDateTime& start, double speed);

    QDateTime Now() const;
    // Moves the clock to `start`; it runs on from there at the same speed.
    void Set(const QDateTime& start);

private:
    mutable std::mutex mutex_;
    QDateTime start_;
    double speed_;
    std::chrono::steady_clock::time_point setAt_;
};
