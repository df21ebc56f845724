#pragma once

#include "Gui/Reelkit/IPlaybackControlPanelEventObserver.h"
#include "host/StateWidget.h"

#include <QStringList>

// Records every listener call as text, in order: "OnButtonClick(0x10)",
// "OnSeek(90250000)", "OnCheckboxSwitch(0x800,true)", ...
class RecordingListener : public Tarvos::Gui::IPlaybackControlPanelEventObserver
{
public:
    void OnButtonClick(unsigned int control) override
    {
        calls << QStringLiteral("OnButtonClick(0x%1)").arg(control, 0, 16);
    }
    void OnSeek(Tarvos::avTime position) override
    {
        calls << QStringLiteral("OnSeek(%1)").arg(position);
    }
    void OnProgressDragStarted() override { calls << QStringLiteral("OnProgressDragStarted"); }
    void OnProgressDragFinished() override { calls << QStringLiteral("OnProgressDragFinished"); }
    void OnCheckboxSwitch(unsigned int control, bool checked) override
    {
        calls << QStringLiteral("OnCheckboxSwitch(0x%1,%2)")
                     .arg(control, 0, 16)
                     .arg(checked ? "true" : "false");
    }
    void OnVolumeChanged(int volume) override
    {
        calls << QStringLiteral("OnVolumeChanged(%1)").arg(volume);
    }
    void OnMuteChanged(bool mute) override
    {
        calls << QStringLiteral("OnMuteChanged(%1)").arg(mute ? "true" : "false");
    }

    QStringList TakeCalls()
    {
        QStringList taken = calls;
        calls.clear();
        return taken;
    }

    QStringList calls;
};

// A state widget whose state hand-over can be watched.
class RecordingStateWidget : public Tarvos::Gui::StateWidget
{
public:
    using StateWidget::StateWidget;

    QMap<QString, QVariant> GetState() override
    {
        ++getStateCalls;
        return stateToGive;
    }
    void SetState(const QMap<QString, QVariant>& state) override { receivedStates << state; }

    QMap<QString, QVariant> stateToGive;
    QList<QMap<QString, QVariant>> receivedStates;
    int getStateCalls = 0;
};

// Fills a state widget with a complete panel: buttons, check boxes, the
// timeline, both time fields and a volume control.
void BuildFullPanel(Tarvos::Gui::StateWidget* panel);
