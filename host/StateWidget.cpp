#include "host/StateWidget.h"

namespace Tarvos::Gui {

StateWidget::StateWidget(QWidget* parent)
    : QWidget(parent)
{}

QMap<QString, QVariant> StateWidget::GetState()
{
    return {};
}

void StateWidget::SetState(const QMap<QString, QVariant>&) {}

} // namespace Tarvos::Gui
