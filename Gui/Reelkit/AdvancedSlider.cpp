#include "Gui/Reelkit/AdvancedSlider.h"

#include "Gui/Reelkit/AccessibleFactory.h"
#include "Gui/Reelkit/QtCompat.h"
#include "Gui/Reelkit/Repolish.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVector>
#include <QWheelEvent>
#include <algorithm>
#include <limits>
#include <utility>

namespace Tarvos::Gui {

namespace {

constexpr int KeyStep = 120;

// Events of a rendering slider after which it paints its groove differently.
bool ChangesLayers(QEvent::Type type)
{
    switch (type) {
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::ParentChange:
        return true;
    default:
        return false;
    }
}

// The step of an arrow key, or 0 for any other key.
int ArrowKeyStep(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        return KeyStep;
    case Qt::Key_Down:
    case Qt::Key_Left:
        return -KeyStep;
    default:
        return 0;
    }
}

// The classic single wheel delta: the larger of the two angle components.
int WheelDelta(const QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    return qAbs(angle.x()) > qAbs(angle.y()) ? angle.x() : angle.y();
}

} // namespace

AdvancedSliderThumb::AdvancedSliderThumb(AdvancedSlider* slider)
    : QToolButton(slider)
    , m_slider(slider)
    , m_value(slider->minimum())
    , m_maximum(std::numeric_limits<int>::max())
    , m_minimum(std::numeric_limits<int>::min())
{
    setCheckable(true);
    setMouseTracking(true);
}

void AdvancedSliderThumb::setValue(int value)
{
    value = qMax(value, m_slider->minimum());
    value = qMin(value, m_slider->maximum());
    value = qMax(value, m_minimum);
    value = qMin(m_maximum, value);
    m_value = value;
    m_slider->moveThumbTo(this, value);
    AccessibleFactory::ValueChanged(this, value);
    emit valueChanged(value);
}

void AdvancedSliderThumb::setMinimum(int minimum)
{
    m_minimum = minimum;
    setValue(m_value);
}

void AdvancedSliderThumb::setMaximum(int maximum)
{
    m_maximum = maximum;
    setValue(m_value);
}

void AdvancedSliderThumb::setStyleTag(const QString& styleTag)
{
    m_styleTag = styleTag;
    Repolish(this);
}

void AdvancedSliderThumb::setIsSelectable(bool selectable)
{
    m_selectable = selectable;
}

void AdvancedSliderThumb::setIsDraggable(bool draggable)
{
    m_draggable = draggable;
}

void AdvancedSliderThumb::setPointOffset(int offset)
{
    m_pointOffset = offset;
    setValue(m_value);
}

void AdvancedSliderThumb::setParentMargin(int margin)
{
    m_parentMargin = margin;
    setValue(m_value);
}

void AdvancedSliderThumb::setZOrder(int zOrder)
{
    m_zOrder = zOrder;
    relayout();
}

void AdvancedSliderThumb::step(int factor)
{
    emit stepped(factor);
}

QSize AdvancedSliderThumb::minimalSizeHint() const
{
    return QSize(1, 1);
}

void AdvancedSliderThumb::relayout()
{
    m_slider->updateThumbLayout();
}

bool AdvancedSliderThumb::event(QEvent* event)
{
    // The event may delete the thumb (its deferred deletion, for one).
    const QPointer<AdvancedSliderThumb> self(this);
    ++m_eventDepth;
    const bool handled = QToolButton::event(event);
    if (self)
        --m_eventDepth;
    return handled;
}

template <typename Handler> void AdvancedSliderThumb::RunUncheckable(Handler handler)
{
    const bool checked = isChecked();
    {
        const QSignalBlocker blocker(this);
        setCheckable(false);
    }
    handler();
    const QSignalBlocker blocker(this);
    setCheckable(true);
    setChecked(checked);
}

void AdvancedSliderThumb::mousePressEvent(QMouseEvent* event)
{
    setUpdatesEnabled(false);
    RunUncheckable([this, event] {
        if (m_draggable) {
            m_pressed = true;
            m_pressPoint = QtCompat::Position(event);
        }
        QToolButton::mousePressEvent(event);
    });
    setUpdatesEnabled(true);
}

void AdvancedSliderThumb::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed) {
        // Let the slider see the move, e.g. for its tooltip.
        event->ignore();
        return;
    }
    if (!m_dragging) {
        emit dragStarted();
        m_dragging = true;
    }
    const QPoint point = mapTo(m_slider, QtCompat::Position(event))
        + QPoint(m_pointOffset - m_pressPoint.x(), m_pointOffset - m_pressPoint.y());
    setValue(m_slider->correctStickValue(this, m_slider->pointToValue(point)));
    QAbstractButton::mouseMoveEvent(event);
    event->accept();
}

void AdvancedSliderThumb::mouseReleaseEvent(QMouseEvent* event)
{
    setUpdatesEnabled(false);
    m_pressPoint = QPoint(-1, -1);
    RunUncheckable([this, event] { QToolButton::mouseReleaseEvent(event); });
    if (!m_dragging && m_selectable)
        setChecked(!isChecked());
    else if (m_dragging)
        emit dragFinished();
    m_pressed = false;
    m_dragging = false;
    setUpdatesEnabled(true);
    // The button ignores releases away from itself (a drag clamped at an end);
    // passed on, they would make the slider report a second release.
    event->accept();
}

void AdvancedSliderThumb::wheelEvent(QWheelEvent* event)
{
    emit stepped(WheelDelta(event));
    event->accept();
}

void AdvancedSliderThumb::keyPressEvent(QKeyEvent* event)
{
    const int factor = ArrowKeyStep(event->key());
    if (factor == 0) {
        QToolButton::keyPressEvent(event);
        return;
    }
    emit stepped(factor);
    event->accept();
}

const char AdvancedSlider::TransparentStyleSheet[]
    = "Tarvos--Gui--AdvancedSlider { background:rgba(0,0,0,0); border:none; }"
      "Tarvos--Gui--AdvancedSlider::handle { background:rgba(0,0,0,0); border:none;        "
      "image:none; }"
      "Tarvos--Gui--AdvancedSlider::groove { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }"
      "Tarvos--Gui--AdvancedSlider::add-page { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }"
      "Tarvos--Gui--AdvancedSlider::sub-page { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }"
      "Tarvos--Gui--AdvancedSlider::add-page:horizontal { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }"
      "Tarvos--Gui--AdvancedSlider::sub-page:horizontal { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }"
      "Tarvos--Gui--AdvancedSlider::add-page:vertical { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }"
      "Tarvos--Gui--AdvancedSlider::sub-page:vertical { background:rgba(0,0,0,0); border:none; "
      "border-image:none; }";

const char AdvancedSlider::HorizontalGrooveTemplate[]
    = " QSlider                    { background:rgba(0,0,0,0); } "
      " QSlider::groove:horizontal { width:%1; %2 } "
      " QSlider::handle:horizontal { image:none; border:none; background:none; } ";

const char AdvancedSlider::VerticalGrooveTemplate[]
    = " QSlider                  { background:rgba(0,0,0,0); } "
      " QSlider::groove:vertical { height:%1; %2 } "
      " QSlider::handle:vertical { image:none; border:none; background:none; } ";

AdvancedSlider::AdvancedSlider(QWidget* parent)
    : QSlider(Qt::Vertical, parent)
{
    AccessibleFactory::Attach(this);
    EnsureRenderingSliders();
    setStyleSheet(QString::fromLatin1(TransparentStyleSheet));
    addThumb(QString::fromLatin1(DefaultThumbTag));
}

AdvancedSlider::~AdvancedSlider()
{
    for (const QPointer<QSlider>& renderingSlider : m_renderingSliders)
        delete renderingSlider.data();
}

bool AdvancedSlider::EnsureRenderingSliders()
{
    bool created = false;
    for (QPointer<QSlider>& renderingSlider : m_renderingSliders) {
        if (renderingSlider)
            continue;
        renderingSlider = new QSlider(parentWidget());
        renderingSlider->hide();
        renderingSlider->setRange(minimum(), maximum());
        renderingSlider->setValue(value());
        renderingSlider->installEventFilter(this);
        created = true;
    }
    return created;
}

AdvancedSliderThumb* AdvancedSlider::addThumb(const QString& styleTag)
{
    removeThumb(styleTag);
    auto* thumb = new AdvancedSliderThumb(this);
    thumb->setFocusPolicy(Qt::ClickFocus);
    thumb->setStyleTag(styleTag);
    m_thumbs.insert(styleTag, thumb);
    connect(thumb, &AdvancedSliderThumb::toggled, this, &AdvancedSlider::thumbToggled);
    connect(thumb, &AdvancedSliderThumb::dragStarted, this, &AdvancedSlider::sliderPressed);
    if (styleTag == QLatin1String(DefaultThumbTag)) {
        m_defaultThumb = thumb;
        connect(thumb, &AdvancedSliderThumb::valueChanged, this,
            &AdvancedSlider::defaultSliderValueChanged);
        // A replaced default thumb must not make the slider mirror twice.
        connect(this, &AdvancedSlider::valueChanged, this, &AdvancedSlider::defaultSliderSetValue,
            Qt::UniqueConnection);
    }
    connect(thumb, &AdvancedSliderThumb::dragFinished, this, &AdvancedSlider::sliderReleased);
    return thumb;
}

void AdvancedSlider::removeThumb(const QString& styleTag)
{
    AdvancedSliderThumb* thumb = m_thumbs.value(styleTag);
    if (!thumb)
        return;
    if (thumb == m_defaultThumb)
        m_defaultThumb = nullptr;
    if (thumb == m_selectedThumb)
        m_selectedThumb = nullptr;
    m_thumbs.remove(styleTag);
    if (thumb->m_eventDepth == 0) {
        delete thumb;
        return;
    }
    // Removed from a slot of one of its own signals, e.g. on dragFinished: the
    // thumb goes away now and is freed once its handler has returned.
    thumb->disconnect(this);
    thumb->hide();
    thumb->deleteLater();
}

AdvancedSliderThumb* AdvancedSlider::thumbByStyleTag(const QString& styleTag) const
{
    return m_thumbs.value(styleTag);
}

void AdvancedSlider::setRanges(const QList<Range>& ranges)
{
    m_ranges = ranges;
}

void AdvancedSlider::setMarks(const QList<int>& marks)
{
    m_marks = marks;
    std::sort(m_marks.begin(), m_marks.end());
    update();
}

QList<QPair<int, int>> AdvancedSlider::markStretches() const
{
    QList<QPair<int, int>> stretches;
    int groupStart = 0;
    int previous = 0;
    for (const int mark : qAsConst(m_marks)) {
        const int column = PaintColumn(mark);
        if (stretches.isEmpty() || column - previous >= MarkSpacing) {
            groupStart = column;
            stretches.append(QPair<int, int>());
        }
        // Spacing is measured from the group's last mark: a run of close
        // marks stays one group however long it grows.
        previous = column;
        stretches.last() = { groupStart - MarkWidth / 2, column + (MarkWidth - 1) / 2 };
    }
    return stretches;
}

int AdvancedSlider::UsableLength() const
{
    return (orientation() == Qt::Horizontal ? width() : height()) - 2 * m_grooveOffset;
}

int AdvancedSlider::pointToValue(const QPoint& point) const
{
    const double length = qMax(double(UsableLength()), 1.0);
    double coordinate = (orientation() == Qt::Horizontal ? point.x() : point.y()) - m_grooveOffset;
    coordinate = qMax(coordinate, 0.0);
    coordinate = qMin(coordinate, length);
    return int(minimum() + (double(maximum()) - minimum()) * coordinate / length);
}

double AdvancedSlider::ValueToGrooveOffset(int value) const
{
    const double range = maximum() == minimum() ? 1.0 : double(maximum()) - minimum();
    return (double(value) - minimum()) * UsableLength() / range;
}

int AdvancedSlider::PaintColumn(int value) const
{
    // Columns beyond the widget are never painted; bounding them keeps the
    // conversion to int defined for ranges far outside the slider's range.
    const int extent = orientation() == Qt::Horizontal ? width() : height();
    return int(qBound(-1.0, ValueToGrooveOffset(value) + m_grooveOffset, double(extent)));
}

void AdvancedSlider::moveThumbTo(AdvancedSliderThumb* thumb, int value)
{
    const int position = int(ValueToGrooveOffset(value)) - thumb->pointOffset() + m_grooveOffset;
    if (orientation() == Qt::Horizontal)
        thumb->move(position, thumb->parentMargin());
    else
        thumb->move(thumb->parentMargin(), position);
}

int AdvancedSlider::correctStickValue(AdvancedSliderThumb* thumb, int value) const
{
    if (thumb == m_defaultThumb || !m_stickEnabled || !m_defaultThumb)
        return value;
    const double distance = qAbs(double(m_defaultThumb->value()) - value);
    const double threshold = double(maximum()) * m_stickDistance / 1000.0;
    return threshold > distance ? m_defaultThumb->value() : value;
}

void AdvancedSlider::updateThumbLayout()
{
    // The map yields the tags in order; a stable sort by z keeps that order
    // among equal z orders, so raising in sequence stacks later tags on top.
    QVector<AdvancedSliderThumb*> thumbs;
    thumbs.reserve(m_thumbs.size());
    for (AdvancedSliderThumb* thumb : qAsConst(m_thumbs))
        thumbs.append(thumb);
    std::stable_sort(thumbs.begin(), thumbs.end(),
        [](const AdvancedSliderThumb* left, const AdvancedSliderThumb* right) {
            return left->zOrder() < right->zOrder();
        });
    for (AdvancedSliderThumb* thumb : qAsConst(thumbs))
        thumb->raise();
}

void AdvancedSlider::setStickEnable(bool enable)
{
    m_stickEnabled = enable;
}

void AdvancedSlider::setStickDistance(int distance)
{
    m_stickDistance = distance;
}

void AdvancedSlider::setGrooveOffset(int offset)
{
    m_grooveOffset = offset;
    m_layersDirty = true;
    updateThumbLayout();
    update();
}

void AdvancedSlider::setGrooveEmptyStyle(const QString& style)
{
    m_grooveEmptyStyle = style;
    m_layersDirty = true;
    update();
}

void AdvancedSlider::setGrooveNormalStyle(const QString& style)
{
    m_grooveNormalStyle = style;
    m_layersDirty = true;
    update();
}

void AdvancedSlider::setGrooveSelectedStyle(const QString& style)
{
    m_grooveSelectedStyle = style;
    m_layersDirty = true;
    update();
}

void AdvancedSlider::setGrooveBorderStyle(const QString& style)
{
    m_grooveBorderStyle = style;
    m_layersDirty = true;
    update();
}

void AdvancedSlider::setGrooveMarkStyle(const QString& style)
{
    m_grooveMarkStyle = style;
    m_layersDirty = true;
    update();
}

void AdvancedSlider::thumbToggled(bool flag)
{
    if (m_guard)
        return;
    const QScopedValueRollback<bool> guard(m_guard, true);
    auto* source = qobject_cast<AdvancedSliderThumb*>(sender());
    for (AdvancedSliderThumb* thumb : qAsConst(m_thumbs)) {
        if (thumb != source && thumb->isChecked())
            thumb->setChecked(false);
    }
    m_selectedThumb = flag ? source : m_defaultThumb;
}

void AdvancedSlider::defaultSliderValueChanged(int value)
{
    if (m_guard)
        return;
    const QScopedValueRollback<bool> guard(m_guard, true);
    setValue(value);
    emit valueChanged(value);
}

void AdvancedSlider::defaultSliderSetValue(int value)
{
    if (m_guard || !m_defaultThumb)
        return;
    const QScopedValueRollback<bool> guard(m_guard, true);
    m_defaultThumb->setValue(value);
}

AdvancedSliderThumb* AdvancedSlider::ActiveThumb() const
{
    return m_selectedThumb ? m_selectedThumb : m_defaultThumb;
}

void AdvancedSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        emit sliderPressed();
        if (AdvancedSliderThumb* thumb = ActiveThumb())
            thumb->setValue(pointToValue(QtCompat::Position(event)));
    }
    event->accept();
}

void AdvancedSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed) {
        if (AdvancedSliderThumb* thumb = ActiveThumb())
            thumb->setValue(pointToValue(QtCompat::Position(event)));
    }
    event->accept();
}

void AdvancedSlider::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressed = false;
    emit sliderReleased();
    event->accept();
}

void AdvancedSlider::wheelEvent(QWheelEvent* event)
{
    if (!m_selectedThumb) {
        event->ignore();
        return;
    }
    m_selectedThumb->step(WheelDelta(event));
    event->accept();
}

void AdvancedSlider::keyPressEvent(QKeyEvent* event)
{
    const int factor = ArrowKeyStep(event->key());
    if (!m_selectedThumb || factor == 0) {
        event->ignore();
        return;
    }
    m_selectedThumb->step(factor);
    event->accept();
}

void AdvancedSlider::resizeEvent(QResizeEvent*)
{
    // Re-placing is not a change of value: nothing may leave the thumbs.
    for (AdvancedSliderThumb* thumb : qAsConst(m_thumbs)) {
        const QSignalBlocker blocker(thumb);
        thumb->setValue(thumb->value());
    }
}

bool AdvancedSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (ChangesLayers(event->type())) {
        m_layersDirty = true;
        update();
    }
    return QSlider::eventFilter(watched, event);
}

void AdvancedSlider::ScheduleRendering()
{
    if (EnsureRenderingSliders())
        m_layersDirty = true;
    // The rendering sliders are kept alike; the first stands for all.
    const QSlider* rendering = m_renderingSliders.front();
    if (m_backgroundPixmap.size() != size() || m_renderedRatio != devicePixelRatioF()
        || rendering->minimum() != minimum() || rendering->maximum() != maximum()
        || rendering->orientation() != orientation())
        m_layersDirty = true;
    const bool due = m_layersDirty || (m_layersFollowValue && rendering->value() != value());
    if (!due || m_renderingScheduled)
        return;
    // Rendering sets style sheets on the rendering sliders, which must not
    // happen inside a paint event.
    m_renderingScheduled = true;
    QTimer::singleShot(0, this, &AdvancedSlider::updateBackground);
}

QRect AdvancedSlider::HandleRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

void AdvancedSlider::sliderChange(SliderChange change)
{
    // The styles draw the value through the handle alone (the pages reach up
    // to it): while the handle keeps its place and the layers do not show the
    // value, the slider's picture stays, and the thumbs repaint where they move.
    if (change == SliderValueChange && !m_layersFollowValue && HandleRect() == m_paintedHandle)
        return;
    QSlider::sliderChange(change);
}

void AdvancedSlider::paintEvent(QPaintEvent* event)
{
    ScheduleRendering();
    m_paintedHandle = HandleRect();
    {
        QPainter painter(this);
        const QRect exposed = event->rect();
        painter.drawPixmap(exposed, m_backgroundPixmap, exposed);
        const bool horizontal = orientation() == Qt::Horizontal;
        const auto stretch = [this, horizontal](int from, int to) {
            const int first = qMin(from, to);
            const int last = qMax(from, to);
            return horizontal ? QRect(QPoint(first, 0), QPoint(last, height() - 1))
                              : QRect(QPoint(0, first), QPoint(width() - 1, last));
        };
        for (const Range& range : qAsConst(m_ranges)) {
            // Only the exposed part: a position report exposes a thumb's width.
            const QRect area
                = stretch(PaintColumn(range.start), PaintColumn(range.end)).intersected(exposed);
            if (!area.isEmpty())
                painter.drawPixmap(area, range.selected ? m_selectedPixmap : m_normalPixmap, area);
        }
        for (const Range& range : qAsConst(m_ranges)) {
            for (const int column : { PaintColumn(range.start), PaintColumn(range.end) }) {
                const QRect line = stretch(column, column);
                painter.drawPixmap(line, m_borderPixmap, line);
            }
        }
        for (const auto& [first, last] : markStretches()) {
            const QRect mark = stretch(first, last);
            if (!m_markPixmap.isNull() && mark.intersects(exposed))
                painter.drawPixmap(mark, m_markPixmap, mark);
        }
    }
    QSlider::paintEvent(event);
}

void AdvancedSlider::updateBackground()
{
    m_renderingScheduled = false;
    EnsureRenderingSliders();
    const QSize area = size();
    const QString grooveTemplate = QString::fromLatin1(
        orientation() == Qt::Horizontal ? HorizontalGrooveTemplate : VerticalGrooveTemplate);
    const std::pair<const QString*, QPixmap*> layers[] = {
        { &m_grooveEmptyStyle, &m_backgroundPixmap },
        { &m_grooveNormalStyle, &m_normalPixmap },
        { &m_grooveSelectedStyle, &m_selectedPixmap },
        { &m_grooveBorderStyle, &m_borderPixmap },
        { &m_grooveMarkStyle, &m_markPixmap },
    };
    const auto render = [area](QSlider* renderingSlider) {
        QPixmap pixmap(area);
        pixmap.fill(Qt::transparent);
        renderingSlider->render(&pixmap);
        return pixmap;
    };
    // Whether the value shows in the layers (a style sheet of the parent or
    // the application may paint the sliders' pages or handle) is learnt from
    // a second rendering at another value, whenever anything else changed.
    const bool probe = m_layersDirty;
    const int middle = int(minimum() + (qint64(maximum()) - minimum()) / 2);
    const int probeValue = value() != middle ? middle : minimum();
    bool followsValue = !probe && m_layersFollowValue;
    for (size_t layer = 0; layer < m_renderingSliders.size(); ++layer) {
        QSlider* renderingSlider = m_renderingSliders[layer];
        const auto& [style, pixmap] = layers[layer];
        // Marks without a style of their own are not drawn: a bare groove
        // would show the platform's groove, filled up to the value.
        if (pixmap == &m_markPixmap && style->isEmpty()) {
            *pixmap = QPixmap();
            continue;
        }
        renderingSlider->setOrientation(orientation());
        renderingSlider->setFixedSize(area);
        renderingSlider->setRange(minimum(), maximum());
        const QString styleSheet = grooveTemplate.arg(UsableLength()).arg(*style);
        if (renderingSlider->styleSheet() != styleSheet)
            renderingSlider->setStyleSheet(styleSheet);
        QImage probed;
        if (probe) {
            renderingSlider->setValue(probeValue);
            probed = render(renderingSlider).toImage();
        }
        renderingSlider->setValue(value());
        *pixmap = render(renderingSlider);
        followsValue = followsValue || (probe && probed != pixmap->toImage());
    }
    m_layersFollowValue = followsValue;
    m_renderedRatio = devicePixelRatioF();
    // Setting the style sheets above reported changes of the layers, which
    // this rendering has taken in.
    m_layersDirty = false;
    update();
}

} // namespace Tarvos::Gui
