#include "Gui/Reelkit/Repolish.h"

#include <QStyle>
#include <QWidget>

namespace Tarvos::Gui {

void Repolish(QWidget* widget)
{
    QStyle* style = widget->style();
    style->unpolish(widget);
    style->polish(widget);
}

} // namespace Tarvos::Gui
