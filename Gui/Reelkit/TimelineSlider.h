#pragma once

#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QString>
#include <QStringList>

namespace Tarvos::Gui {

// The playback position slider: takes times in microseconds, reports user
// seeks in milliseconds and shows the time under the cursor as a tooltip.
class REELKIT_EXPORT TimelineSlider : public AdvancedSlider
{
    Q_OBJECT
    Q_PROPERTY(QString styleTag READ getStyleTag WRITE setStyleTag)
    Q_PROPERTY(QStringList displayFormatList READ getDisplayFormatList WRITE setDisplayFormatList)

public:
    explicit TimelineSlider(QWidget* parent = nullptr);

    // Switches to ten-microsecond positions for the rest of the widget's life.
    void setRange(Tarvos::avTime minimum, Tarvos::avTime maximum);
    void setValue(Tarvos::avTime time);
    int time2position(Tarvos::avTime time) const;
    Tarvos::avTime position2time(int position) const;

    QString getStyleTag() const { return m_styleTag; }
    void setStyleTag(const QString& styleTag);
    // Candidate QTime formats for the tooltip; the first one that shows the
    // time with the least loss wins.
    QStringList getDisplayFormatList() const { return m_displayFormatList; }
    void setDisplayFormatList(const QStringList& formats);

signals:
    void TimelineValueChanged(int milliseconds);

protected:
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
