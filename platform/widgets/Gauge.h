#pragma once
// A progress gauge with the minimum, maximum and progress the window code sets.
#include <QProgressBar>

class Gauge : public QProgressBar {
    Q_OBJECT
public:
    explicit Gauge(QWidget* parent = nullptr) : QProgressBar(parent) {
        setRange(0, 100);
        setValue(0);
        setTextVisible(true);
    }
    int MinValue() const { return minimum(); }
    int MaxValue() const { return maximum(); }
    int Progress() const { return value(); }
    void SetMinValue(int v) { setMinimum(v); }
    void SetMaxValue(int v) { setMaximum(v); }
    void SetProgress(int v) { setValue(qBound(minimum(), v, maximum())); }
    void AddProgress(int step) { SetProgress(value() + step); }
};
