#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QMap>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QSlider>
#include <QString>
#include <QToolButton>
#include <array>

namespace Tarvos::Gui {

class AdvancedSlider;

// One draggable marker of an AdvancedSlider. It holds its own value, which the
// slider turns into a pixel position; a click selects it (checked state), wheel
// and arrow keys only report steps and leave the meaning of a step to the owner.
class REELKIT_EXPORT AdvancedSliderThumb : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QString styleTag READ styleTag WRITE setStyleTag)
    Q_PROPERTY(bool isSelectable READ isSelectable WRITE setIsSelectable)
    Q_PROPERTY(bool isDraggable READ isDraggable WRITE setIsDraggable)
    Q_PROPERTY(int pointOffset READ pointOffset WRITE setPointOffset)
    Q_PROPERTY(int parentMargin READ parentMargin WRITE setParentMargin)
    Q_PROPERTY(int zOrder READ zOrder WRITE setZOrder)

public:
    // The thumb is a child of slider and is placed by it.
    explicit AdvancedSliderThumb(AdvancedSlider* slider);

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Clamps into the slider's range, then into the thumb's own limits.
    void setValue(int value);
    void setMinimum(int minimum);
    void setMaximum(int maximum);

    QString styleTag() const { return m_styleTag; }
    void setStyleTag(const QString& styleTag);
    bool isSelectable() const { return m_selectable; }
    void setIsSelectable(bool selectable);
    bool isDraggable() const { return m_draggable; }
    void setIsDraggable(bool draggable);
    // Pixels from the thumb's leading edge to the pixel that marks its value.
    int pointOffset() const { return m_pointOffset; }
    void setPointOffset(int offset);
    // The thumb's coordinate across the slider.
    int parentMargin() const { return m_parentMargin; }
    void setParentMargin(int margin);
    int zOrder() const { return m_zOrder; }
    void setZOrder(int zOrder);

    void step(int factor);

    virtual QSize minimalSizeHint() const;

signals:
    void valueChanged(int value);
    void dragStarted();
    void dragFinished();
    void stepped(int factor);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
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

// A slider with any number of thumbs keyed by style tag and a groove painted
// from four style-sheet fragments, with marked value ranges drawn over it.
// The thumb tagged "default" mirrors the slider's own value.
class REELKIT_EXPORT AdvancedSlider : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(int grooveOffset READ grooveOffset WRITE setGrooveOffset)
    Q_PROPERTY(QString grooveEmptyStyle READ grooveEmptyStyle WRITE setGrooveEmptyStyle)
    Q_PROPERTY(QString grooveNormalStyle READ grooveNormalStyle WRITE setGrooveNormalStyle)
    Q_PROPERTY(QString grooveSelectedStyle READ grooveSelectedStyle WRITE setGrooveSelectedStyle)
    Q_PROPERTY(QString grooveBorderStyle READ grooveBorderStyle WRITE setGrooveBorderStyle)

public:
    // One marked stretch of the groove, both ends included.
    struct Range
    {
        int start;
        int end;
        bool selected;
    };

    static constexpr const char* DefaultThumbTag = "default";

    explicit AdvancedSlider(QWidget* parent = nullptr);
    ~AdvancedSlider() override;

    // Replaces any thumb with the same tag.
    AdvancedSliderThumb* addThumb(const QString& styleTag);
    void removeThumb(const QString& styleTag);
    AdvancedSliderThumb* thumbByStyleTag(const QString& styleTag) const;
    AdvancedSliderThumb* defaultThumb() const { return m_defaultThumb; }
    // The thumb that presses on the groove, wheel and keys act on; null for none.
    AdvancedSliderThumb* selectedThumb() const { return m_selectedThumb; }

    const QList<Range>& ranges() const { return m_ranges; }
    // Takes effect at the next repaint.
    void setRanges(const QList<Range>& ranges);

    int pointToValue(const QPoint& point) const;
    void moveThumbTo(AdvancedSliderThumb* thumb, int value);
    // The value a dragged thumb takes: the default thumb's value when near it.
    int correctStickValue(AdvancedSliderThumb* thumb, int value) const;
    // Raises the thumbs by z order; among equal orders the later tag ends on top.
    void updateThumbLayout();

    void setStickEnable(bool enable);
    // In thousandths of the slider's maximum.
    void setStickDistance(int distance);

    // Pixels left free at each end of the groove.
    int grooveOffset() const { return m_grooveOffset; }
    void setGrooveOffset(int offset);
    QString grooveEmptyStyle() const { return m_grooveEmptyStyle; }
    void setGrooveEmptyStyle(const QString& style);
    QString grooveNormalStyle() const { return m_grooveNormalStyle; }
    void setGrooveNormalStyle(const QString& style);
    QString grooveSelectedStyle() const { return m_grooveSelectedStyle; }
    void setGrooveSelectedStyle(const QString& style);
    QString grooveBorderStyle() const { return m_grooveBorderStyle; }
    void setGrooveBorderStyle(const QString& style);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
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

    // Render the groove's four layers, one each, so that a slider keeps its
    // style sheet between renderings (setting one re-polishes, which costs
    // most of a rendering). Siblings of this slider: the parent may delete
    // them first, or keep them when this slider moves elsewhere, so they are
    // watched and created again when needed; deleted with this slider.
    std::array<QPointer<QSlider>, 4> m_renderingSliders;
    AdvancedSliderThumb* m_selectedThumb = nullptr;
    AdvancedSliderThumb* m_defaultThumb = nullptr;
    QList<Range> m_ranges;
    QMap<QString, AdvancedSliderThumb*> m_thumbs;
    bool m_pressed = false;
    bool m_guard = false;
    bool m_backgroundDirty = true;
    QPixmap m_backgroundPixmap;
    QPixmap m_normalPixmap;
    QPixmap m_selectedPixmap;
    QPixmap m_borderPixmap;
    QString m_grooveEmptyStyle;
    QString m_grooveNormalStyle;
    QString m_grooveSelectedStyle;
    QString m_grooveBorderStyle;
    int m_grooveOffset = 0;
    bool m_stickEnabled = false;
    int m_stickDistance = DefaultStickDistance;
};

} // namespace Tarvos::Gui
