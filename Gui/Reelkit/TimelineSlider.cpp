#include "Gui/Reelkit/TimelineSlider.h"

#include "Gui/Reelkit/ITimelinePreviewProvider.h"
#include "Gui/Reelkit/QtCompat.h"
#include "Gui/Reelkit/TimeFormat.h"

#include <QCoreApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace Tarvos::Gui {

const char TimelineSlider::DefaultDisplayFormat[] = "hh:mm:ss";

TimelineSlider::TimelineSlider(QWidget* parent)
    : AdvancedSlider(parent)
    , m_previewTimer(new QTimer(this))
{
    connect(this, SIGNAL(valueChanged(int)), this, SLOT(OnValueChanged(int)));
    setMouseTracking(true);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(PreviewDelayMs);
    connect(m_previewTimer, &QTimer::timeout, this, &TimelineSlider::RequestPreview);
}

void TimelineSlider::setRange(Tarvos::avTime minimum, Tarvos::avTime maximum)
{
    m_scale = RangeScale;
    AdvancedSlider::setRange(BoundedPosition(minimum), BoundedPosition(maximum));
    // Marks and loop are times: their positions follow the new scale and range.
    UpdateMarks();
    if (m_hasLoop)
        PlaceLoop();
}

void TimelineSlider::setValue(Tarvos::avTime time)
{
    AdvancedSlider::setValue(BoundedPosition(time));
}

Tarvos::avTime TimelineSlider::ScaledPosition(Tarvos::avTime time) const
{
    return m_scale * time / 1000;
}

int TimelineSlider::time2position(Tarvos::avTime time) const
{
    return static_cast<int>(ScaledPosition(time));
}

int TimelineSlider::BoundedPosition(Tarvos::avTime time) const
{
    // Media longer than the positions can hold keep a usable slider: the
    // overflowing part sticks to the end instead of wrapping around.
    return static_cast<int>(std::clamp<Tarvos::avTime>(
        ScaledPosition(time), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Tarvos::avTime TimelineSlider::position2time(int position) const
{
    return Tarvos::avTime(position) * 1000 / m_scale;
}

void TimelineSlider::setStyleTag(const QString& styleTag)
{
    m_styleTag = styleTag;
}

void TimelineSlider::setDisplayFormatList(const QStringList& formats)
{
    m_displayFormatList = formats;
}

void TimelineSlider::OnValueChanged(int position)
{
    emit TimelineValueChanged(position / m_scale);
}

void TimelineSlider::SetChapters(const QVector<Chapter>& chapters)
{
    m_chapters = chapters;
    std::stable_sort(m_chapters.begin(), m_chapters.end(),
        [](const Chapter& left, const Chapter& right) { return left.start < right.start; });
    UpdateMarks();
}

int TimelineSlider::ChapterAt(Tarvos::avTime time) const
{
    const auto after = std::upper_bound(m_chapters.begin(), m_chapters.end(), time,
        [](Tarvos::avTime at, const Chapter& chapter) { return at < chapter.start; });
    return int(after - m_chapters.begin()) - 1;
}

void TimelineSlider::UpdateMarks()
{
    QList<int> marks;
    for (const Chapter& chapter : qAsConst(m_chapters))
        marks.append(BoundedPosition(chapter.start));
    setMarks(marks);
}

void TimelineSlider::SetLoop(Tarvos::avTime a, Tarvos::avTime b)
{
    if (b < a)
        std::swap(a, b);
    const bool changed = !m_hasLoop || a != m_loopStart || b != m_loopEnd;
    m_hasLoop = true;
    m_loopStart = a;
    m_loopEnd = b;
    PlaceLoop();
    if (changed)
        emit LoopChanged(a, b);
}

void TimelineSlider::ClearLoop()
{
    if (!m_hasLoop)
        return;
    m_hasLoop = false;
    setRanges(HostRanges());
    removeThumb(QString::fromLatin1(LoopStartTag));
    removeThumb(QString::fromLatin1(LoopEndTag));
    update();
    emit LoopCleared();
}

AdvancedSliderThumb* TimelineSlider::LoopThumb(const char* tag, bool start)
{
    if (AdvancedSliderThumb* thumb = thumbByStyleTag(QString::fromLatin1(tag)))
        return thumb;
    AdvancedSliderThumb* thumb = addThumb(QString::fromLatin1(tag));
    // A loop thumb is no seek: its drags are not the slider's, and a click
    // must not make it take the groove's presses.
    disconnect(thumb, &AdvancedSliderThumb::dragStarted, this, &AdvancedSlider::sliderPressed);
    disconnect(thumb, &AdvancedSliderThumb::dragFinished, this, &AdvancedSlider::sliderReleased);
    thumb->setIsSelectable(false);
    connect(thumb, &AdvancedSliderThumb::valueChanged, this,
        [this, start](int position) { OnLoopThumbMoved(start, position); });
    thumb->show();
    return thumb;
}

QList<AdvancedSlider::Range> TimelineSlider::HostRanges() const
{
    QList<Range> hostRanges = ranges();
    if (!thumbByStyleTag(QString::fromLatin1(LoopStartTag)))
        return hostRanges;
    for (int i = hostRanges.size() - 1; i >= 0; --i) {
        const Range& range = hostRanges.at(i);
        if (range.start == m_loopRange.start && range.end == m_loopRange.end && range.selected) {
            hostRanges.removeAt(i);
            break;
        }
    }
    return hostRanges;
}

void TimelineSlider::PlaceLoop()
{
    QList<Range> placed = HostRanges();
    AdvancedSliderThumb* start = LoopThumb(LoopStartTag, true);
    AdvancedSliderThumb* end = LoopThumb(LoopEndTag, false);
    m_loopRange = { BoundedPosition(m_loopStart), BoundedPosition(m_loopEnd), true };
    {
        // Each end keeps the other from passing it.
        const QSignalBlocker startBlocker(start);
        const QSignalBlocker endBlocker(end);
        start->setMaximum(m_loopRange.end);
        start->setValue(m_loopRange.start);
        end->setMinimum(m_loopRange.start);
        end->setValue(m_loopRange.end);
    }
    placed.append(m_loopRange);
    setRanges(placed);
    update();
}

void TimelineSlider::OnLoopThumbMoved(bool start, int position)
{
    const Tarvos::avTime time = position2time(position);
    if (time == (start ? m_loopStart : m_loopEnd))
        return;
    (start ? m_loopStart : m_loopEnd) = time;
    PlaceLoop();
    emit LoopChanged(m_loopStart, m_loopEnd);
}

void TimelineSlider::SetPreviewProvider(ITimelinePreviewProvider* provider)
{
    HidePreview();
    m_previewProvider = provider;
}

void TimelineSlider::RequestPreview()
{
    // An answer still out is awaited first; SetPreview() then asks for the newest time.
    if (!m_previewProvider || !m_hovering || m_awaitingPreview)
        return;
    m_awaitingPreview = true;
    m_requestedTime = Tarvos::avTime(m_hoverMilliseconds) * 1000;
    m_previewProvider->RequestPreview(this, m_requestedTime);
}

void TimelineSlider::SetPreview(Tarvos::avTime time, const QImage& image)
{
    if (!m_awaitingPreview) {
        if (time == m_shownTime && !image.isNull() && m_previewFrame->isVisible())
            m_previewPicture->setPixmap(QPixmap::fromImage(image));
        return;
    }
    if (time != m_requestedTime)
        return;
    m_awaitingPreview = false;
    if (image.isNull()) {
        if (m_previewFrame)
            m_previewFrame->hide();
    } else if (m_hovering) {
        if (!m_previewFrame) {
            m_previewFrame = new QFrame(this, Qt::ToolTip);
            m_previewFrame->setObjectName(QStringLiteral("TimelinePreview"));
            m_previewFrame->setFrameShape(QFrame::Box);
            m_previewFrame->setBackgroundRole(QPalette::ToolTipBase);
            m_previewFrame->setForegroundRole(QPalette::ToolTipText);
            auto* layout = new QVBoxLayout(m_previewFrame);
            m_previewPicture = new QLabel(m_previewFrame);
            m_previewText = new QLabel(m_previewFrame);
            m_previewText->setAlignment(Qt::AlignCenter);
            layout->addWidget(m_previewPicture);
            layout->addWidget(m_previewText);
        }
        m_previewPicture->setPixmap(QPixmap::fromImage(image));
        m_shownTime = time;
        ShowPreviewFrame();
    }
    if (!m_previewTimer->isActive() && Tarvos::avTime(m_hoverMilliseconds) * 1000 != time)
        RequestPreview();
}

void TimelineSlider::ShowPreviewFrame()
{
    const QString title = ChapterTitle(m_hoverMilliseconds);
    const QString time = TimeText(m_hoverMilliseconds);
    m_previewText->setText(title.isEmpty() ? time : time + QLatin1Char('\n') + title);
    QToolTip::hideText();
    // Placed once shown: showing polishes the frame, which may change its size.
    m_previewFrame->show();
    m_previewFrame->adjustSize();
    const QPoint anchor = mapToGlobal(QPoint(m_hoverX, 0));
    const QSize outer = m_previewFrame->frameGeometry().size();
    m_previewFrame->move(anchor.x() - outer.width() / 2, anchor.y() - PreviewGap - outer.height());
}

void TimelineSlider::HidePreview()
{
    m_previewTimer->stop();
    m_hovering = false;
    m_awaitingPreview = false;
    m_shownTime = -1;
    if (m_previewFrame)
        m_previewFrame->hide();
}

void TimelineSlider::leaveEvent(QEvent* event)
{
    HidePreview();
    AdvancedSlider::leaveEvent(event);
}

void TimelineSlider::hideEvent(QHideEvent* event)
{
    HidePreview();
    AdvancedSlider::hideEvent(event);
}

int TimelineSlider::HoverMilliseconds(int x) const
{
    const int usableWidth = width() - 2 * grooveOffset();
    const int offset = x - grooveOffset();
    double fraction = 0.0;
    // A slider narrower than its two offsets has no time axis: it shows the start.
    if (usableWidth > 0) {
        if (offset > usableWidth)
            fraction = 1.0;
        else if (offset > 0)
            fraction = double(offset) / usableWidth;
    }
    return static_cast<int>(double(maximum()) * fraction / double(m_scale));
}

QString TimelineSlider::TimeText(int milliseconds) const
{
    const QTime time = QTime(0, 0, 0, 0).addMSecs(milliseconds);
    return time.toString(TimeFormat::BestFitting(
        time, m_displayFormatList, QString::fromLatin1(DefaultDisplayFormat)));
}

QString TimelineSlider::ToolTipText(int x) const
{
    const int milliseconds = HoverMilliseconds(x);
    const QString time = TimeText(milliseconds);
    const QString title = ChapterTitle(milliseconds);
    if (title.isEmpty())
        return time;
    return QCoreApplication::translate(
        "TimelineSlider", "%1 — %2", "the time under the cursor and the chapter playing there")
        .arg(time, title);
}

QString TimelineSlider::ChapterTitle(int milliseconds) const
{
    const int chapter = ChapterAt(Tarvos::avTime(milliseconds) * 1000);
    return chapter < 0 ? QString() : m_chapters.at(chapter).title;
}

void TimelineSlider::mouseMoveEvent(QMouseEvent* event)
{
    const int x = QtCompat::Position(event).x();
    m_hovering = true;
    m_hoverX = x;
    m_hoverMilliseconds = HoverMilliseconds(x);
    if (m_previewFrame && m_previewFrame->isVisible())
        ShowPreviewFrame();
    else
        QToolTip::showText(QtCompat::GlobalPosition(event), ToolTipText(x), this, rect());
    if (m_previewProvider)
        m_previewTimer->start();
    AdvancedSlider::mouseMoveEvent(event);
}

} // namespace Tarvos::Gui
