#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QSlider>

namespace Tarvos::Gui {

/// A slider whose value jumps to the point the user clicks with the left
/// button, instead of paging towards it: the jump emits sliderPressed(), then
/// valueChanged() if the value changes, then sliderReleased(). Clicks on the handle keep
/// the usual drag behaviour. Inverted appearance is respected; the top of a
/// vertical slider is its maximum.
class REELKIT_EXPORT DirectClickSlider : public QSlider
{
    Q_OBJECT

public:
    /// A vertical slider, as QSlider makes it.
    explicit DirectClickSlider(QWidget* parent = nullptr);

private:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace Tarvos::Gui
