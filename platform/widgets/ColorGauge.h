#pragma once
// A gauge that draws no text: its progress part in the fore colour, the rest in the back colour, the
// way a bar shows two shares of one whole (possession of the home and the away side).
#include "platform/widgets/Gauge.h"

#include <QColor>

class ColorGauge : public Gauge {
public:
    explicit ColorGauge(QWidget* parent = nullptr);
    QColor ForeColor() const { return fore_; }
    QColor BackColor() const { return back_; }
    void SetForeColor(const QColor& c);
    void SetBackColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fore_ = Qt::blue;
    QColor back_ = Qt::white;
};
