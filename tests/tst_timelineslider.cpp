// Mouse events travel through the window system, as real ones do.
#define QTEST_QPA_MOUSE_HANDLING

#include "Gui/Reelkit/ITimelinePreviewProvider.h"
#include "Gui/Reelkit/QtCompat.h"
#include "Gui/Reelkit/TimelineSlider.h"

#include <QFrame>
#include <QLabel>
#include <QToolTip>
#include <QtTest>
#include <memory>

using Tarvos::avTime;
using Tarvos::Gui::AdvancedSlider;
using Tarvos::Gui::AdvancedSliderThumb;
using Tarvos::Gui::TimelineSlider;

namespace {

constexpr avTime Second = 1000 * 1000;

struct ChapterRow
{
    int x;
    QString text;
};

} // namespace

Q_DECLARE_METATYPE(ChapterRow)

class tst_TimelineSlider : public QObject, public Tarvos::Gui::ITimelinePreviewProvider
{
    Q_OBJECT

    // Room above the slider for the preview.
    std::unique_ptr<QWidget> m_window;
    // Horizontal, 0..100 s over x = 10..210: half a second a pixel.
    TimelineSlider* m_slider = nullptr;
    // Signals and preview requests in the order they come.
    QStringList m_log;

    void RequestPreview(TimelineSlider*, avTime time) override
    {
        m_log << QStringLiteral("preview %1").arg(time / Second);
    }

    void Hover(QPoint point)
    {
        // A move to where the cursor already is would not arrive.
        QTest::mouseMove(m_slider, point + QPoint(0, 2));
        QTest::mouseMove(m_slider, point);
    }

    AdvancedSliderThumb* Thumb(const char* tag) const
    {
        AdvancedSliderThumb* thumb = m_slider->thumbByStyleTag(tag);
        if (thumb)
            thumb->setFixedSize(10, 10);
        return thumb;
    }

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(100, 200, 220, 30);
        m_slider = new TimelineSlider(m_window.get());
        m_slider->setOrientation(Qt::Horizontal);
        m_slider->setGrooveOffset(10);
        m_slider->setFixedSize(220, 30);
        m_slider->setRange(0, 100 * Second);
        m_slider->SetChapters(
            { { 40 * Second, "Chase" }, { 5 * Second, "Opening" }, { 80 * Second, QString() } });
        m_log.clear();
        connect(m_slider, &QSlider::sliderPressed, [this] { m_log << "pressed"; });
        connect(m_slider, &TimelineSlider::LoopChanged, [this](avTime a, avTime b) {
            m_log << QStringLiteral("loop %1 %2").arg(a / Second).arg(b / Second);
        });
        connect(m_slider, &TimelineSlider::LoopCleared, [this] { m_log << "cleared"; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void chapterInToolTip_data()
    {
        QTest::addColumn<ChapterRow>("row");
        QTest::newRow("before the first") << ChapterRow { 15, "00:00:02" };
        QTest::newRow("at its start") << ChapterRow { 20, "00:00:05 — Opening" };
        QTest::newRow("last before the cursor") << ChapterRow { 180, "00:01:25" };
        QTest::newRow("ordered by start") << ChapterRow { 100, "00:00:45 — Chase" };
    }

    void chapterInToolTip()
    {
        QFETCH(ChapterRow, row);
        QCOMPARE(m_slider->marks(), QList<int>({ 500000, 4000000, 8000000 }));
        Hover({ row.x, 20 });
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), row.text);
    }

    void loopDragsReportsAndClears()
    {
        m_slider->setRanges({ { 0, 100, false } });
        m_slider->SetLoop(60 * Second, 20 * Second);
        m_slider->SetLoop(20 * Second, 60 * Second);
        AdvancedSliderThumb* start = Thumb(TimelineSlider::LoopStartTag);
        QVERIFY(start->isVisible());
        QCOMPARE(Thumb(TimelineSlider::LoopEndTag)->value(), 6000000);
        QCOMPARE(m_slider->ranges().last().end, 6000000);

        // Dragged from its left edge (x = 50) to 30 s, then past the end: it stops there.
        QTest::mousePress(start, Qt::LeftButton, {}, QPoint(0, 5));
        QTest::mouseMove(m_slider, QPoint(70, 5));
        QCOMPARE(m_slider->ranges().last().start, 3000000);
        QTest::mouseMove(m_slider, QPoint(200, 5));
        QTest::mouseRelease(m_slider, Qt::LeftButton, {}, QPoint(200, 5));
        QCOMPARE(start->value(), 6000000);
        QCOMPARE(m_slider->value(), 0);

        m_slider->ClearLoop();
        m_slider->ClearLoop();
        QCOMPARE(m_slider->thumbByStyleTag(TimelineSlider::LoopStartTag), nullptr);
        QCOMPARE(m_slider->thumbByStyleTag(TimelineSlider::LoopEndTag), nullptr);
        QCOMPARE(m_slider->ranges().size(), 1);
        // A loop marker is no seek: the slider reports no press of its own.
        QCOMPARE(m_log, QStringList({ "loop 20 60", "loop 30 60", "loop 60 60", "cleared" }));
    }

    void previewDebouncedNewestWins()
    {
        m_slider->SetPreviewProvider(this);
        for (const int x : { 30, 40, 50 })
            QTest::mouseMove(m_slider, QPoint(x, 20));
        QTRY_COMPARE(m_log, QStringList({ "preview 20" }));
        // Awaited: a newer hover waits for the answer, then is asked for.
        Hover({ 110, 20 });
        QTest::qWait(2 * TimelineSlider::PreviewDelayMs);
        QImage picture(32, 18, QImage::Format_RGB32);
        picture.fill(Qt::red);
        m_slider->SetPreview(20 * Second, picture);
        QCOMPARE(m_log, QStringList({ "preview 20", "preview 50" }));

        auto* frame = m_slider->findChild<QFrame*>("TimelinePreview");
        QVERIFY(frame && frame->isVisible());
        QTRY_VERIFY(!QToolTip::isVisible());
        QCOMPARE(frame->findChildren<QLabel*>().at(1)->text(), "00:00:50\nChase");
        const QPoint top = m_slider->mapToGlobal(QPoint(110, 0));
        const QRect outer = frame->frameGeometry();
        QCOMPARE(outer.x() + outer.width() / 2, top.x());
        QCOMPARE(outer.bottom() + 1, top.y() - TimelineSlider::PreviewGap);
        // An answer no longer awaited changes nothing; the frame goes with the slider.
        m_slider->SetPreview(20 * Second, QImage());
        QVERIFY(frame->isVisible());
        // The answer for the hover, then a finer picture of the same time.
        for (const Qt::GlobalColor colour : { Qt::blue, Qt::green }) {
            picture.fill(colour);
            m_slider->SetPreview(50 * Second, picture);
        }
        QCOMPARE(Tarvos::Gui::QtCompat::LabelPixmap(frame->findChildren<QLabel*>().at(0))
                     .toImage()
                     .pixel(0, 0),
            QColor(Qt::green).rgb());
        m_window->hide();
        QVERIFY(!frame->isVisible());
    }
};

QTEST_MAIN(tst_TimelineSlider)
#include "tst_timelineslider.moc"
