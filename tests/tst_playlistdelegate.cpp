#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistItemWidget.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>
#include <functional>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistItemDelegate;
using Tarvos::Gui::PlaylistItemWidget;

namespace {

// Behind every rendered row, so that transparent parts can be told apart.
const QColor Backdrop(255, 0, 255);

QRect BoundsOf(const QImage& image, const QColor& colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

PlaylistItemData Item(
    const char* path, bool active = false, bool valid = true, Tarvos::avTime duration = 0)
{
    PlaylistItemData item(Tarvos::Sarnet::MediaSourceInfo::Create(
        ioPath(path), 0, QByteArray(path).startsWith("dvd") ? "dvd" : ""));
    item.SetActive(active);
    item.SetValid(valid);
    item.SetFileDuration(duration);
    return item;
}

} // namespace

class tst_PlaylistDelegate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rows();
    void cached();

private:
    // Paints the item as the middle row of three, twice (the name is fitted to
    // the widget's previous width, and the badge must not pile up), and returns
    // that row; tells in m_inPlace whether the rows around it and the painter
    // stayed untouched.
    QImage Render(const PlaylistItemData& item, QStyle::State state = QStyle::State_None,
        int width = 300, PlaylistItemDelegate* delegate = nullptr);
    QLabel* Label(const char* name) const { return m_row->findChild<QLabel*>(name); }

    Tarvos::Gui::PlaylistModel m_model;
    PlaylistItemDelegate m_delegate;
    PlaylistItemWidget* m_row = nullptr;
    bool m_inPlace = false;
};

void tst_PlaylistDelegate::initTestCase()
{
    // Pixel and elision checks need one known font.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    Tarvos::Util::SetDVDLabelLookup([](const ioPath&) { return std::string("DISC"); });
    // The delegate's row widget has no parent, so it is a top-level widget.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* row = qobject_cast<PlaylistItemWidget*>(widget))
            m_row = row;
    }
    QVERIFY(m_row);
}

QImage tst_PlaylistDelegate::Render(
    const PlaylistItemData& item, QStyle::State state, int width, PlaylistItemDelegate* delegate)
{
    const int height = PlaylistItemDelegate::RowHeight;
    QImage image(width, 3 * height, QImage::Format_ARGB32_Premultiplied);
    for (int pass = 0; pass < 2; ++pass) {
        image.fill(Backdrop);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, height, width, height);
        option.state = state;
        (delegate ? delegate : &m_delegate)->paint(&painter, option, m_model.InsertItem(item, -1));
        m_inPlace = painter.transform().isIdentity();
    }
    QImage outside(width, height, image.format());
    outside.fill(Backdrop);
    m_inPlace = m_inPlace && image.copy(0, 0, width, height) == outside
        && image.copy(0, 2 * height, width, height) == outside;
    return image.copy(0, height, width, height);
}

void tst_PlaylistDelegate::rows()
{
    struct Row
    {
        PlaylistItemData item;
        QStyle::State state;
        QColor background; // at the margins and in the gap under the name
        QRect cursor, dvd, badge; // where the test's green, blue and red stand-in images are
        QString filename, duration;
    };
    // The cursor in the 10-pixel column after the 5-pixel margin, the icon
    // (16 × 16) in the 22-pixel column after it, the badge at the icon's right
    // edge, centred and one pixel lower. Durations wrap at a day.
    const QStyle::State none = QStyle::State_None;
    const char* file = "/media/videos/holiday.mp4";
    // A DVD title shows its name; whatever follows its last slash.
    const char* dvd = "dvd://E:/:title=2";
    const QString title = QStringLiteral("DISC - Title 2: Bonus");
    for (const Row& row : { Row { Item(file, false, true, 999999), none, Backdrop, {}, {}, {},
                                "holiday.mp4", "00:00:00" },
             Row { Item(file, true, true, 86399999000), none, QColor("#5a5a5a"), { 5, 7, 8, 10 },
                 {}, {}, "holiday.mp4", "23:59:59" },
             Row { Item(file, true, true, 90000000000), QStyle::State_Selected, QColor("#3486b1"),
                 { 5, 7, 8, 10 }, {}, {}, "holiday.mp4", "01:00:00" },
             Row { Item(dvd), none, Backdrop, {}, { 21, 4, 16, 16 }, {}, title, "00:00:00" },
             Row { Item(dvd, false, false), none, Backdrop, {}, { 21, 4, 16, 16 }, { 29, 9, 8, 8 },
                 title, "00:00:00" },
             Row { Item(file, false, false), none, Backdrop, {}, {}, { 29, 9, 8, 8 }, "holiday.mp4",
                 "00:00:00" } }) {
        const QImage image = Render(row.item, row.state);
        QVERIFY(m_inPlace);
        for (const QPoint& point :
            { QPoint(1, 12), QPoint(150, 1), QPoint(298, 22), QPoint(150, 23) })
            QCOMPARE(image.pixelColor(point), row.background);
        QCOMPARE(BoundsOf(image, QColor(0, 255, 0)), row.cursor);
        QCOMPARE(BoundsOf(image, QColor(0, 0, 255)), row.dvd);
        QCOMPARE(BoundsOf(image, QColor(255, 0, 0)), row.badge);
        QCOMPARE(Label("Filename")->text(), row.filename);
        QCOMPARE(Label("Duration")->text(), row.duration);
    }
    // A white line along the bottom edge of the row under a drop (antialiased,
    // so it blends with what lies behind it); the next row painted drops it.
    PlaylistItemData item = Item(file);
    item.SetUnderDrop(true);
    const QColor line = Render(item).pixelColor(150, 23);
    QVERIFY2(
        line.green() > 100 && line.red() == 255 && line.blue() == 255, qPrintable(line.name()));
    QCOMPARE(Render(Item(file)).pixelColor(150, 23), Backdrop);

    // A long name is elided to what the fixed columns leave of the row.
    const QString name = QStringLiteral("a very long file name that cannot fit into one row of "
                                        "the playlist however wide it is made.mkv");
    Render(PlaylistItemData(ioPath("/films/" + name.toStdString())), none, 400);
    QLabel* label = Label("Filename");
    QVERIFY2(label->text().endsWith(QChar(0x2026)), qPrintable(label->text()));
    QVERIFY(name.startsWith(label->text().chopped(1)));
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width());
    QVERIFY(label->width() < 400 - 5 - 10 - 6 - 22 - 6);
}

void tst_PlaylistDelegate::cached()
{
    // Each step changes one thing that the row shows or depends on: the row
    // drawn again must be what a delegate that never saw it renders.
    PlaylistItemData item = Item("/media/videos/holiday.mp4", false, true, 61000000);
    QStyle::State state = QStyle::State_None;
    int width = 300;
    const QFont font = QApplication::font();
    const QPalette palette = QApplication::palette();
    const std::function<void()> steps[] = { [&] { item.SetFileDuration(3661000000); },
        [&] { item.SetFilename("/media/videos/a much longer name of the holiday film.mkv"); },
        [&] { item.SetActive(true); }, [&] { item.SetValid(false); },
        [&] { item.SetUnderDrop(true); }, [&] { state = QStyle::State_Selected; },
        [&] { width = 200; }, [&] { QApplication::setFont(QFont(font.family(), 12)); },
        [&] { QApplication::setPalette(QPalette(Qt::darkGreen)); } };
    for (const auto& step : steps) {
        Render(item, state, width);
        step();
        PlaylistItemDelegate fresh;
        QCOMPARE(Render(item, state, width), Render(item, state, width, &fresh));
    }
    QApplication::setFont(font);
    QApplication::setPalette(palette);
}

QTEST_MAIN(tst_PlaylistDelegate)
#include "tst_playlistdelegate.moc"
