#include "platform/widgets/ColorGauge.h"

#include <QPainter>

ColorGauge::ColorGauge(QWidget* parent) : Gauge(parent) {
    setTextVisible(false);
}

void ColorGauge::SetForeColor(const QColor& c) {
    fore_ = c;
    update();
}

void ColorGauge::SetBackColor(const QColor& c) {
    back_ = c;
    update();
}

void ColorGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(area, back_);
    const int span = MaxValue() - MinValue();
    if (span > 0 && Progress() > MinValue()) {
        const int width = area.width() * (Progress() - MinValue()) / span;
        painter.fillRect(QRect(area.left(), area.top(), width, area.height()), fore_);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
