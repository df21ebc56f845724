#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSlider>
#include <QString>
#include <QToolButton>
#include <array>

namespace Tarvos::Gui {

class AdvancedSlider;

/// One draggable marker of an AdvancedSlider. It holds its own value, which the
/// slider turns into a pixel position; a click selects it (checked state), wheel
/// and arrow keys only report steps and leave the meaning of a step to the owner.
///
/// Made by AdvancedSlider::addThumb(), owned by the slider and styled through
/// the host's style sheet, which selects on its styleTag property.
class REELKIT_EXPORT AdvancedSliderThumb : public QToolButton
{
    Q_OBJECT
    /// The thumb's key in its slider and the hook of the host's style sheet
    /// (selected as [styleTag="..."]); setting it re-polishes the thumb.
    Q_PROPERTY(QString styleTag READ styleTag WRITE setStyleTag)
    /// Whether a click without a drag toggles the selection; default true.
    Q_PROPERTY(bool isSelectable READ isSelectable WRITE setIsSelectable)
    /// Whether the mouse can drag the thumb; default true.
    Q_PROPERTY(bool isDraggable READ isDraggable WRITE setIsDraggable)
    /// Pixels from the thumb's leading edge to the pixel that marks its value.
    Q_PROPERTY(int pointOffset READ pointOffset WRITE setPointOffset)
    /// The thumb's coordinate across the slider, in pixels.
    Q_PROPERTY(int parentMargin READ parentMargin WRITE setParentMargin)
    /// Stacking order among the slider's thumbs: higher is on top.
    Q_PROPERTY(int zOrder READ zOrder WRITE setZOrder)

public:
    /// A thumb at the slider's minimum, as a child of slider, which places it.
    /// Use AdvancedSlider::addThumb() rather than this constructor, so that the
    /// slider knows the thumb.
    explicit AdvancedSliderThumb(AdvancedSlider* slider);

    /// The thumb's value, in the slider's units.
    int value() const { return m_value; }
    /// The thumb's own lower limit; by default the lowest int.
    int minimum() const { return m_minimum; }
    /// The thumb's own upper limit; by default the highest int.
    int maximum() const { return m_maximum; }
    /// Clamps into the slider's range, then into the thumb's own limits, moves
    /// the thumb there and emits valueChanged(), even when the value stays.
    void setValue(int value);
    /// Sets the lower limit and clamps the value again (emitting valueChanged()).
    void setMinimum(int minimum);
    /// Sets the upper limit and clamps the value again (emitting valueChanged()).
    void setMaximum(int maximum);

    /// The styleTag property.
    QString styleTag() const { return m_styleTag; }
    /// Sets the tag and re-polishes the thumb, so that style rules on the tag apply.
    void setStyleTag(const QString& styleTag);
    /// The isSelectable property.
    bool isSelectable() const { return m_selectable; }
    /// Sets whether a click selects; a thumb selected already stays selected.
    void setIsSelectable(bool selectable);
    /// The isDraggable property.
    bool isDraggable() const { return m_draggable; }
    /// Sets whether the mouse can drag; takes effect with the next press.
    void setIsDraggable(bool draggable);
    /// The pointOffset property.
    int pointOffset() const { return m_pointOffset; }
    /// Sets the offset and re-places the thumb through setValue() (emitting valueChanged()).
    void setPointOffset(int offset);
    /// The parentMargin property.
    int parentMargin() const { return m_parentMargin; }
    /// Sets the margin and re-places the thumb through setValue() (emitting valueChanged()).
    void setParentMargin(int margin);
    /// The zOrder property.
    int zOrder() const { return m_zOrder; }
    /// Sets the order and restacks the slider's thumbs (AdvancedSlider::updateThumbLayout()).
    void setZOrder(int zOrder);

    /// Emits stepped(factor); the value does not change.
    void step(int factor);

    /// The smallest size the thumb may take: 1 by 1 pixel.
    virtual QSize minimalSizeHint() const;

signals:
    /// Emitted by every setValue(), also from a drag, with the clamped value.
    void valueChanged(int value);
    /// The first mouse move after a press on a draggable thumb.
    void dragStarted();
    /// The release that ends a drag; a release without a drag toggles the
    /// selection of a selectable thumb instead.
    void dragFinished();
    /// A step asked for by step(), the wheel (its angle delta, ±120 per notch)
    /// or an arrow key (+120 for Up and Right, −120 for Down and Left).
    void stepped(int factor);

protected:
    /// Counts the event handlers on the stack, so that a thumb removed by one
    /// of them is freed only after it returns.
    bool event(QEvent* event) override;
    /// Starts a press, which a move turns into a drag; the check state is left alone.
    void mousePressEvent(QMouseEvent* event) override;
    /// While pressed, drags: the value follows the pointer (sticking to the
    /// default thumb, see AdvancedSlider::correctStickValue()). Otherwise the
    /// move is ignored, so that the slider sees it.
    void mouseMoveEvent(QMouseEvent* event) override;
    /// Ends a drag (dragFinished()) or, after a plain click on a selectable
    /// thumb, toggles its checked state, which selects it in the slider.
    void mouseReleaseEvent(QMouseEvent* event) override;
    /// Emits stepped() with the wheel's delta.
    void wheelEvent(QWheelEvent* event) override;
    /// Arrow keys emit stepped(); other keys go to the tool button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class AdvancedSlider;

    void relayout();
    // Runs the tool button's own handling without letting it toggle the thumb:
    // selection is decided by this class alone.
    template <typename Handler> void RunUncheckable(Handler handler);

    AdvancedSlider* m_slider;
    QPoint m_pressPoint { -1, -1 };
    QString m_styleTag;
    bool m_pressed = false;
    bool m_dragging = false;
    int m_value;
    int m_maximum;
    int m_minimum;
    int m_zOrder = 0;
    int m_pointOffset = 0;
    int m_parentMargin = 0;
    bool m_selectable = true;
    bool m_draggable = true;
    // Event handlers of this thumb on the stack: while one runs, a removed
    // thumb is freed later rather than under its own feet.
    int m_eventDepth = 0;
};

/// A slider with any number of thumbs keyed by style tag and a groove painted
/// from five style-sheet fragments, with marked value ranges and marks drawn
/// over it.
/// The thumb tagged "default" mirrors the slider's own value: moving it sets
/// the value, and setValue() moves it.
///
/// The groove is rendered in the background by stand-in sliders, one per
/// fragment, after a zero-delay timer of the GUI thread; each fragment holds
/// style-sheet declarations for a QSlider::groove. The rendered layers are
/// kept and composited on every paint; they are rendered anew when what they
/// show changes (size, orientation, range, groove offset, fragments, device
/// pixel ratio, or a style, palette, font or enabled state reaching the
/// stand-in sliders), and on value changes only while the value shows in them.
/// A press on the groove moves the selected thumb (else the default one) to
/// the pressed point; the wheel and the arrow keys step the selected thumb only.
class REELKIT_EXPORT AdvancedSlider : public QSlider
{
    Q_OBJECT
    /// Pixels left free at each end of the groove; values map onto the rest.
    Q_PROPERTY(int grooveOffset READ grooveOffset WRITE setGrooveOffset)
    /// Groove declarations for the whole groove, under everything else.
    Q_PROPERTY(QString grooveEmptyStyle READ grooveEmptyStyle WRITE setGrooveEmptyStyle)
    /// Groove declarations shown inside the ranges that are not selected.
    Q_PROPERTY(QString grooveNormalStyle READ grooveNormalStyle WRITE setGrooveNormalStyle)
    /// Groove declarations shown inside the selected ranges.
    Q_PROPERTY(QString grooveSelectedStyle READ grooveSelectedStyle WRITE setGrooveSelectedStyle)
    /// Groove declarations shown as one-pixel lines at both ends of each range.
    Q_PROPERTY(QString grooveBorderStyle READ grooveBorderStyle WRITE setGrooveBorderStyle)
    /// Groove declarations shown at the marks (see setMarks()), over the ranges.
    Q_PROPERTY(QString grooveMarkStyle READ grooveMarkStyle WRITE setGrooveMarkStyle)

public:
    /// One marked stretch of the groove, both ends included.
    struct Range
    {
        int start; ///< First value of the stretch, in the slider's units.
        int end; ///< Last value of the stretch; may lie before start.
        bool selected; ///< Painted with the selected fragment instead of the normal one.
    };

    /// The style tag of the thumb that mirrors the slider's value.
    static constexpr const char* DefaultThumbTag = "default";
    /// Width in pixels of a mark, centred on its value's pixel.
    static constexpr int MarkWidth = 3;
    /// The least distance in pixels between the values' pixels of two marks
    /// painted apart: a mark closer than this to the previous one joins its
    /// group, painted as one mark stretching over all of them.
    static constexpr int MarkSpacing = 8;

    /// A vertical slider with its default thumb, transparent but for the
    /// rendered groove. Its stand-in sliders are made as siblings (children of
    /// parent) and deleted with it.
    explicit AdvancedSlider(QWidget* parent = nullptr);
    /// Deletes the thumbs and the stand-in sliders.
    ~AdvancedSlider() override;

    /// A new thumb with that tag, owned by the slider, replacing (deleting) any
    /// thumb with the same tag. The tag "default" makes it the default thumb.
    /// A thumb's drag start and end emit sliderPressed() and sliderReleased().
    AdvancedSliderThumb* addThumb(const QString& styleTag);
    /// Deletes the thumb with that tag, if any; it stops being the default or
    /// the selected thumb.
    void removeThumb(const QString& styleTag);
    /// The thumb with that tag; null for none.
    AdvancedSliderThumb* thumbByStyleTag(const QString& styleTag) const;
    /// The thumb tagged "default"; null once it has been removed.
    AdvancedSliderThumb* defaultThumb() const { return m_defaultThumb; }
    /// The thumb that presses on the groove, wheel and keys act on; null for
    /// none. Checking a thumb selects it and unchecks the others; unchecking
    /// it selects the default thumb.
    AdvancedSliderThumb* selectedThumb() const { return m_selectedThumb; }

    /// The marked stretches, painted in list order.
    const QList<Range>& ranges() const { return m_ranges; }
    /// Takes effect at the next repaint; the caller asks for it with update().
    void setRanges(const QList<Range>& ranges);

    /// The marked values, e.g. chapter starts, in the slider's units.
    const QList<int>& marks() const { return m_marks; }
    /// Sets the marks (in any order) and repaints; the layers stay as rendered.
    void setMarks(const QList<int>& marks);
    /// Where the marks are painted: one [first, last] pixel stretch along the
    /// groove per group of marks that would crowd each other, in order.
    QList<QPair<int, int>> markStretches() const;

    /// The value under point (slider coordinates) along the groove, clamped
    /// to the slider's range.
    int pointToValue(const QPoint& point) const;
    /// Places thumb so that its point offset lies at value's pixel, at its
    /// parent margin across; the thumb's value is not changed.
    void moveThumbTo(AdvancedSliderThumb* thumb, int value);
    /// The value a dragged thumb takes: the default thumb's value when sticking
    /// is on and value lies closer to it than the stick distance; otherwise
    /// value. The default thumb itself never sticks.
    int correctStickValue(AdvancedSliderThumb* thumb, int value) const;
    /// Raises the thumbs by z order; among equal orders the later tag ends on top.
    void updateThumbLayout();

    /// Whether dragged thumbs stick to the default thumb; off by default.
    void setStickEnable(bool enable);
    /// The stick distance, in thousandths of the slider's maximum; default 20.
    void setStickDistance(int distance);

    /// The grooveOffset property.
    int grooveOffset() const { return m_grooveOffset; }
    /// Sets the offset and repaints, with the groove rendered anew; the thumbs are restacked.
    void setGrooveOffset(int offset);
    /// The grooveEmptyStyle property.
    QString grooveEmptyStyle() const { return m_grooveEmptyStyle; }
    /// Sets the fragment and repaints, with the groove rendered anew.
    void setGrooveEmptyStyle(const QString& style);
    /// The grooveNormalStyle property.
    QString grooveNormalStyle() const { return m_grooveNormalStyle; }
    /// Sets the fragment and repaints, with the groove rendered anew.
    void setGrooveNormalStyle(const QString& style);
    /// The grooveSelectedStyle property.
    QString grooveSelectedStyle() const { return m_grooveSelectedStyle; }
    /// Sets the fragment and repaints, with the groove rendered anew.
    void setGrooveSelectedStyle(const QString& style);
    /// The grooveBorderStyle property.
    QString grooveBorderStyle() const { return m_grooveBorderStyle; }
    /// Sets the fragment and repaints, with the groove rendered anew.
    void setGrooveBorderStyle(const QString& style);
    /// The grooveMarkStyle property.
    QString grooveMarkStyle() const { return m_grooveMarkStyle; }
    /// Sets the fragment and repaints, with the groove rendered anew.
    void setGrooveMarkStyle(const QString& style);

protected:
    /// Paints the rendered groove and the ranges over it; a change of what the
    /// layers show schedules a new rendering for after the paint.
    void paintEvent(QPaintEvent* event) override;
    /// Repaints on a value change only when the value shows: when the style
    /// places the slider's handle elsewhere, or the layers follow the value.
    void sliderChange(SliderChange change) override;
    /// Watches the stand-in sliders for changes of how they paint.
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Re-places every thumb at its value, without emitting valueChanged().
    void resizeEvent(QResizeEvent* event) override;
    /// A left press emits sliderPressed() and moves the selected thumb (else
    /// the default one) to the pressed point.
    void mousePressEvent(QMouseEvent* event) override;
    /// While pressed, the same thumb follows the pointer.
    void mouseMoveEvent(QMouseEvent* event) override;
    /// Emits sliderReleased().
    void mouseReleaseEvent(QMouseEvent* event) override;
    /// Steps the selected thumb by the wheel's delta; ignored without one.
    void wheelEvent(QWheelEvent* event) override;
    /// Arrow keys step the selected thumb by ±120; other keys, or no selected
    /// thumb, are ignored.
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void updateBackground();
    void thumbToggled(bool flag);
    void defaultSliderSetValue(int value);
    void defaultSliderValueChanged(int value);

private:
    static const char TransparentStyleSheet[];
    static const char HorizontalGrooveTemplate[];
    static const char VerticalGrooveTemplate[];
    static constexpr int DefaultStickDistance = 20;

    int UsableLength() const;
    // Pixels from the groove start to value, before truncation.
    double ValueToGrooveOffset(int value) const;
    int PaintColumn(int value) const;
    AdvancedSliderThumb* ActiveThumb() const;
    // Creates the rendering sliders that do not exist (yet, or any more), with
    // this slider's range and value; true when one was created.
    bool EnsureRenderingSliders();
    QRect HandleRect() const;
    // Starts a rendering of the layers when they no longer show this slider.
    void ScheduleRendering();

    // Render the groove's five layers, one each, so that a slider keeps its
    // style sheet between renderings (setting one re-polishes, which costs
    // most of a rendering). Siblings of this slider: the parent may delete
    // them first, or keep them when this slider moves elsewhere, so they are
    // watched and created again when needed; deleted with this slider.
    std::array<QPointer<QSlider>, 5> m_renderingSliders;
    AdvancedSliderThumb* m_selectedThumb = nullptr;
    AdvancedSliderThumb* m_defaultThumb = nullptr;
    QList<Range> m_ranges;
    QList<int> m_marks;
    QMap<QString, AdvancedSliderThumb*> m_thumbs;
    bool m_pressed = false;
    bool m_guard = false;
    // Something other than the value changed since the layers were rendered.
    bool m_layersDirty = true;
    bool m_renderingScheduled = false;
    // Whether the layers rendered differently at another value.
    bool m_layersFollowValue = true;
    qreal m_renderedRatio = 0;
    // Where the last paint drew the slider's own handle.
    QRect m_paintedHandle;
    QPixmap m_backgroundPixmap;
    QPixmap m_normalPixmap;
    QPixmap m_selectedPixmap;
    QPixmap m_borderPixmap;
    QPixmap m_markPixmap;
    QString m_grooveEmptyStyle;
    QString m_grooveNormalStyle;
    QString m_grooveSelectedStyle;
    QString m_grooveBorderStyle;
    QString m_grooveMarkStyle;
    int m_grooveOffset = 0;
    bool m_stickEnabled = false;
    int m_stickDistance = DefaultStickDistance;
};

} // namespace Tarvos::Gui
