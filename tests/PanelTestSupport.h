#pragma once

#include "Gui/Reelkit/IPlaybackControlPanelEventObserver.h"
#include "host/StateWidget.h"

#include <QStringList>
#include <utility>

// Records every listener call as text, in order: "OnButtonClick(0x10)",
// "OnSeek(90250000)", "OnCheckboxSwitch(0x800,true)", ...
class RecordingListener : public Tarvos::Gui::IPlaybackControlPanelEventObserver
{
public:
    void OnButtonClick(unsigned int control) override { Log("OnButtonClick", Hex(control)); }
    void OnSeek(Tarvos::avTime position) override { Log("OnSeek", QString::number(position)); }
    void OnProgressDragStarted() override { calls << QStringLiteral("OnProgressDragStarted"); }
    void OnProgressDragFinished() override { calls << QStringLiteral("OnProgressDragFinished"); }
    void OnCheckboxSwitch(unsigned int control, bool checked) override
    {
        Log("OnCheckboxSwitch", Hex(control) + ',' + Bool(checked));
    }
    void OnVolumeChanged(int volume) override { Log("OnVolumeChanged", QString::number(volume)); }
    void OnMuteChanged(bool mute) override { Log("OnMuteChanged", Bool(mute)); }

    QStringList TakeCalls() { return std::exchange(calls, {}); }

    QStringList calls;

private:
    static QString Hex(unsigned int control) { return QStringLiteral("0x%1").arg(control, 0, 16); }
    static QString Bool(bool value) { return QLatin1String(value ? "true" : "false"); }
    void Log(const char* name, const QString& arguments)
    {
        calls << QStringLiteral("%1(%2)").arg(QLatin1String(name), arguments);
    }
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
