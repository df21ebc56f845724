#include "ControlPanel.h"

#include "ui_FullscreenPanel.h"
#include "ui_WindowedPanel.h"

#include <QAbstractButton>

namespace Player {

const char* const ControlPanel::ViewModeNames[2] = { "inputViewMode", "outputViewMode" };

ControlPanel::ControlPanel(Layout layout, QWidget* parent)
    : StateWidget(parent)
{
    // The forms only build the widget tree; the panel logic finds the controls by name.
    if (layout == Layout::Windowed)
        Ui::WindowedPanel().setupUi(this);
    else
        Ui::FullscreenPanel().setupUi(this);
    setProperty("panel", layout == Layout::Windowed ? "windowed" : "fullscreen");
}

QMap<QString, QVariant> ControlPanel::GetState()
{
    QMap<QString, QVariant> state;
    for (const char* name : ViewModeNames) {
        if (auto* button = findChild<QAbstractButton*>(QString::fromLatin1(name)))
            state.insert(QString::fromLatin1(name), button->isChecked());
    }
    return state;
}

void ControlPanel::SetState(const QMap<QString, QVariant>& state)
{
    for (auto it = state.begin(); it != state.end(); ++it) {
        if (auto* button = findChild<QAbstractButton*>(it.key()))
            button->setChecked(it.value().toBool());
    }
}

} // namespace Player
