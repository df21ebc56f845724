#include "Gui/Reelkit/DirectClickSlider.h"

#include "Gui/Reelkit/QtCompat.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace Tarvos::Gui {

namespace {

// The jump works in plain 32-bit integers: a product that overflows wraps
// instead of being undefined.
int WrappingProduct(int a, int b)
{
    return static_cast<int>(static_cast<unsigned int>(a) * static_cast<unsigned int>(b));
}

} // namespace

DirectClickSlider::DirectClickSlider(QWidget* parent)
    : QSlider(parent)
{}

void DirectClickSlider::mousePressEvent(QMouseEvent* event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle
        = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int extent = horizontal ? width() : height();
    // A collapsed slider has no point to jump to.
    const QPoint point = QtCompat::Position(event);
    if (event->button() == Qt::LeftButton && !handle.contains(point) && extent > 0) {
        const int span = maximum() - minimum();
        // The top edge of a vertical slider is its maximum.
        const int distance = horizontal ? point.x() : height() - point.y();
        const int offset = WrappingProduct(distance, span) / extent;
        emit sliderPressed();
        setValue(invertedAppearance() ? maximum() - (minimum() + offset) : minimum() + offset);
        emit sliderReleased();
        event->accept();
    }
    QSlider::mousePressEvent(event);
}

} // namespace Tarvos::Gui
