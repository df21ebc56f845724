#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QSlider>

namespace Tarvos::Gui {

// A slider whose value jumps to the point the user clicks, instead of paging
// towards it. Clicks on the handle keep the usual drag behaviour.
class REELKIT_EXPORT DirectClickSlider : public QSlider
{
    Q_OBJECT

public:
    explicit DirectClickSlider(QWidget* parent = nullptr);

private:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace Tarvos::Gui
