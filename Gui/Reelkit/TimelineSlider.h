#pragma once

#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QString>
#include <QStringList>

namespace Tarvos::Gui {

/// The playback position slider: takes times in microseconds, reports user
/// seeks in milliseconds and shows the time under the cursor as a tooltip.
/// Slider positions are milliseconds until setRange() is first called, ten
/// microseconds from then on; times beyond the 32-bit positions stick to the
/// ends.
class REELKIT_EXPORT TimelineSlider : public AdvancedSlider
{
    Q_OBJECT
    /// A tag for the host's style sheet; the slider itself does not read it.
    Q_PROPERTY(QString styleTag READ getStyleTag WRITE setStyleTag)
    /// Candidate QTime formats for the tooltip; the first one that shows the
    /// time with the least loss wins ("hh:mm:ss" when empty).
    Q_PROPERTY(QStringList displayFormatList READ getDisplayFormatList WRITE setDisplayFormatList)

public:
    /// A slider with mouse tracking, for the tooltip.
    explicit TimelineSlider(QWidget* parent = nullptr);

    /// Sets the range from two times in microseconds. Switches to
    /// ten-microsecond positions for the rest of the widget's life.
    void setRange(Tarvos::avTime minimum, Tarvos::avTime maximum);
    /// Moves to time (microseconds), which emits valueChanged() and
    /// TimelineValueChanged() when the position changes.
    void setValue(Tarvos::avTime time);
    /// The slider position of time (microseconds), truncated; not saturated.
    int time2position(Tarvos::avTime time) const;
    /// The time in microseconds of a slider position.
    Tarvos::avTime position2time(int position) const;

    /// The styleTag property.
    QString getStyleTag() const { return m_styleTag; }
    /// Sets the tag; nothing is re-polished.
    void setStyleTag(const QString& styleTag);
    /// The displayFormatList property.
    QStringList getDisplayFormatList() const { return m_displayFormatList; }
    /// Sets the candidates, used from the next tooltip on.
    void setDisplayFormatList(const QStringList& formats);

signals:
    /// Every change of the value, whoever made it, as milliseconds from the
    /// start.
    void TimelineValueChanged(int milliseconds);

protected:
    /// Shows the time under the cursor as a tooltip (for a range that starts
    /// at 0), then moves a pressed thumb as AdvancedSlider does.
    void mouseMoveEvent(QMouseEvent* event) override;

private slots:
    void OnValueChanged(int position);

private:
    static constexpr int RangeScale = 100;
    static const char DefaultDisplayFormat[];

    Tarvos::avTime ScaledPosition(Tarvos::avTime time) const;
    // The slider position of time, saturated to the slider's 32-bit positions.
    int BoundedPosition(Tarvos::avTime time) const;
    QString ToolTipText(int x) const;

    QString m_styleTag;
    QStringList m_displayFormatList;
    int m_scale = 1;
};

} // namespace Tarvos::Gui
