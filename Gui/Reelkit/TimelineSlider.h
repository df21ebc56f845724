#pragma once

#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QFrame;
class QImage;
class QLabel;
class QTimer;

namespace Tarvos::Gui {

class ITimelinePreviewProvider;

/// The playback position slider: takes times in microseconds, reports user
/// seeks in milliseconds and shows the time under the cursor as a tooltip.
/// Slider positions are milliseconds until setRange() is first called, ten
/// microseconds from then on; times beyond the 32-bit positions stick to the
/// ends.
///
/// Chapters show as marks (styled by grooveMarkStyle) and name themselves in
/// the hover text. An A-B loop shows as two thumbs tagged "loopStart" and
/// "loopEnd" with a selected range between them. With a preview provider, a
/// frame above the cursor (a QFrame named "TimelinePreview", with the picture
/// and the hover text) takes the tooltip's place once a picture has come.
class REELKIT_EXPORT TimelineSlider : public AdvancedSlider
{
    Q_OBJECT
    /// A tag for the host's style sheet; the slider itself does not read it.
    Q_PROPERTY(QString styleTag READ getStyleTag WRITE setStyleTag)
    /// Candidate QTime formats for the tooltip; the first one that shows the
    /// time with the least loss wins ("hh:mm:ss" when empty).
    Q_PROPERTY(QStringList displayFormatList READ getDisplayFormatList WRITE setDisplayFormatList)

public:
    /// One chapter of the media.
    struct Chapter
    {
        Tarvos::avTime start; ///< Where the chapter begins, in microseconds.
        QString title; ///< Its name, shown in the hover text.
    };

    /// The style tag of the loop's start thumb.
    static constexpr const char* LoopStartTag = "loopStart";
    /// The style tag of the loop's end thumb.
    static constexpr const char* LoopEndTag = "loopEnd";
    /// How long the mouse rests before a preview is asked for, in milliseconds.
    static constexpr int PreviewDelayMs = 60;
    /// Pixels between the preview frame's lower edge and the slider.
    static constexpr int PreviewGap = 4;

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

    /// Sets the chapters (in any order) and marks their starts on the groove.
    void SetChapters(const QVector<Chapter>& chapters);
    /// The chapters, ordered by start.
    const QVector<Chapter>& Chapters() const { return m_chapters; }
    /// The index in Chapters() of the chapter playing at time; -1 before the first.
    int ChapterAt(Tarvos::avTime time) const;

    /// Shows the loop from a to b (microseconds, swapped when b comes first)
    /// and emits LoopChanged() when it differs from the loop shown.
    void SetLoop(Tarvos::avTime a, Tarvos::avTime b);
    /// Removes the loop's thumbs and range; emits LoopCleared() if there was a loop.
    void ClearLoop();
    /// Whether a loop is shown.
    bool HasLoop() const { return m_hasLoop; }
    /// The loop's start in microseconds; meaningful while HasLoop().
    Tarvos::avTime LoopStart() const { return m_loopStart; }
    /// The loop's end in microseconds; meaningful while HasLoop().
    Tarvos::avTime LoopEnd() const { return m_loopEnd; }

    /// Sets who makes the preview pictures; null (the default) for plain
    /// tooltips. Not owned: reset it before the provider goes.
    void SetPreviewProvider(ITimelinePreviewProvider* provider);
    /// The preview provider; null for none.
    ITimelinePreviewProvider* PreviewProvider() const { return m_previewProvider; }

public slots:
    /// The provider's answer for time: shown above the cursor while the mouse
    /// is over the slider. Answers to questions not asked (any more) are
    /// dropped, but for a later picture of the time on show while nothing else
    /// is asked: it replaces the one shown, so that a provider may answer
    /// coarsely at once and refine the picture after.
    void SetPreview(Tarvos::avTime time, const QImage& image);

signals:
    /// Every change of the value, whoever made it, as milliseconds from the
    /// start.
    void TimelineValueChanged(int milliseconds);
    /// The loop now runs from a to b (microseconds), set by SetLoop() or
    /// dragged by the user; a drag reports every move that changes it.
    void LoopChanged(Tarvos::avTime a, Tarvos::avTime b);
    /// The loop was removed by ClearLoop().
    void LoopCleared();

protected:
    /// Shows the time under the cursor (for a range that starts at 0), with
    /// the chapter there, as a tooltip or in the preview frame; with a
    /// provider, asks for a preview once the mouse rests. Then moves a pressed
    /// thumb as AdvancedSlider does.
    void mouseMoveEvent(QMouseEvent* event) override;
    /// Hides the preview frame; a preview asked for is no longer awaited.
    void leaveEvent(QEvent* event) override;
    /// Hides the preview frame, as leaving does.
    void hideEvent(QHideEvent* event) override;

private slots:
    void OnValueChanged(int position);

private:
    static constexpr int RangeScale = 100;
    static const char DefaultDisplayFormat[];

    Tarvos::avTime ScaledPosition(Tarvos::avTime time) const;
    // The slider position of time, saturated to the slider's 32-bit positions.
    int BoundedPosition(Tarvos::avTime time) const;
    // Milliseconds from the start at x along the groove.
    int HoverMilliseconds(int x) const;
    QString TimeText(int milliseconds) const;
    QString ToolTipText(int x) const;
    // The title of the chapter playing there; empty for none.
    QString ChapterTitle(int milliseconds) const;
    void UpdateMarks();
    // The loop's thumb with that tag, made on first use.
    AdvancedSliderThumb* LoopThumb(const char* tag, bool start);
    // ranges() without the loop's range.
    QList<Range> HostRanges() const;
    // Places the loop's thumbs and range at the loop's times, silently.
    void PlaceLoop();
    void OnLoopThumbMoved(bool start, int position);
    void RequestPreview();
    void ShowPreviewFrame();
    void HidePreview();

    QString m_styleTag;
    QStringList m_displayFormatList;
    int m_scale = 1;
    QVector<Chapter> m_chapters;
    bool m_hasLoop = false;
    Tarvos::avTime m_loopStart = 0;
    Tarvos::avTime m_loopEnd = 0;
    // The range of the loop as last placed among ranges(), found there again
    // so that the host's own ranges stay.
    Range m_loopRange {};
    ITimelinePreviewProvider* m_previewProvider = nullptr;
    QTimer* m_previewTimer;
    QFrame* m_previewFrame = nullptr;
    QLabel* m_previewPicture = nullptr;
    QLabel* m_previewText = nullptr;
    int m_hoverX = 0;
    int m_hoverMilliseconds = 0;
    bool m_hovering = false;
    // A request is out, for m_requestedTime; a newer hover waits for its answer.
    bool m_awaitingPreview = false;
    Tarvos::avTime m_requestedTime = 0;
    // The time whose picture the frame shows; -1 for none.
    Tarvos::avTime m_shownTime = -1;
};

} // namespace Tarvos::Gui
