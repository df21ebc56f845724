#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistItemWidget.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistItemDelegate;
using Tarvos::Gui::PlaylistItemWidget;
using Tarvos::Gui::PlaylistModel;
using Tarvos::Sarnet::MediaSourceInfo;

namespace {

// Behind every rendered row, so that transparent parts can be told apart.
const QColor Backdrop(255, 0, 255);
// The stand-in images of the test's resources.
const QColor CursorGreen(0, 255, 0);
const QColor BadgeRed(255, 0, 0);
const QColor DvdBlue(0, 0, 255);

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

PlaylistItemData Dvd()
{
    return PlaylistItemData(MediaSourceInfo::Create(ioPath("dvd://E:/:title=2"), 0, "dvd"));
}

PlaylistItemData File(bool active = false, bool valid = true)
{
    PlaylistItemData item(ioPath("/films/a.mkv"));
    item.SetActive(active);
    item.SetValid(valid);
    return item;
}

struct PixelRow
{
    PlaylistItemData item;
    QStyle::State state;
    QColor background; // at the margins and in the gap under the name
    QRect cursor = {}, dvd = {}, badge = {}; // where the stand-in images are
};
struct TextRow
{
    PlaylistItemData item;
    QString filename, duration;
};

} // namespace

Q_DECLARE_METATYPE(PixelRow)
Q_DECLARE_METATYPE(TextRow)

class tst_PlaylistDelegate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pixels_data();
    void pixels();
    void texts_data();
    void texts();
    void longFileNameIsElided();
    void separatorOnTheUnderDropRowOnly();

private:
    // Paints the item as the middle row of three and returns that row; tells in
    // m_inPlace whether the rows around it and the painter stayed untouched.
    QImage Render(
        const PlaylistItemData& item, QStyle::State state = QStyle::State_Enabled, int width = 300);
    QLabel* Label(const char* name) const { return m_row->findChild<QLabel*>(name); }

    PlaylistModel m_model;
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

QImage tst_PlaylistDelegate::Render(const PlaylistItemData& item, QStyle::State state, int width)
{
    const int height = PlaylistItemDelegate::RowHeight;
    QImage image(width, 3 * height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Backdrop);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, height, width, height);
    option.state = state;
    m_delegate.paint(&painter, option, m_model.InsertItem(item, -1));
    const bool restored = painter.transform().isIdentity();
    painter.end();
    QImage outside(width, height, image.format());
    outside.fill(Backdrop);
    m_inPlace = restored && image.copy(0, 0, width, height) == outside
        && image.copy(0, 2 * height, width, height) == outside;
    return image.copy(0, height, width, height);
}

void tst_PlaylistDelegate::pixels_data()
{
    QTest::addColumn<PixelRow>("row");
    const QStyle::State none = QStyle::State_None;
    // The cursor in the 10-pixel column after the 5-pixel margin, the icon
    // (16 × 16) in the 22-pixel column after it, the badge at the icon's right
    // edge, centred and one pixel lower.
    QTest::newRow("plain") << PixelRow { File(), none, Backdrop, {}, {}, {} };
    QTest::newRow("active") << PixelRow { File(true), none, QColor("#5a5a5a"), { 5, 7, 8, 10 } };
    QTest::newRow("selected and active")
        << PixelRow { File(true), QStyle::State_Selected, QColor("#3486b1"), { 5, 7, 8, 10 } };
    QTest::newRow("dvd") << PixelRow { Dvd(), none, Backdrop, {}, { 21, 4, 16, 16 }, {} };
    PlaylistItemData dvd = Dvd();
    dvd.SetValid(false);
    QTest::newRow("invalid dvd") << PixelRow { dvd, none, Backdrop, {}, { 21, 4, 16, 16 },
        { 29, 9, 8, 8 } };
    QTest::newRow("invalid file") << PixelRow { File(false, false), none, Backdrop, {}, {},
        { 29, 9, 8, 8 } };
}

void tst_PlaylistDelegate::pixels()
{
    QFETCH(PixelRow, row);
    // Painted twice: the badge must not pile up on the icon.
    Render(row.item, row.state);
    const QImage image = Render(row.item, row.state);
    QVERIFY(m_inPlace);
    for (const QPoint& point : { QPoint(1, 12), QPoint(150, 1), QPoint(298, 22), QPoint(150, 23) })
        QCOMPARE(image.pixelColor(point), row.background);
    QCOMPARE(BoundsOf(image, CursorGreen), row.cursor);
    QCOMPARE(BoundsOf(image, DvdBlue), row.dvd);
    QCOMPARE(BoundsOf(image, BadgeRed), row.badge);
}

void tst_PlaylistDelegate::texts_data()
{
    QTest::addColumn<TextRow>("row");
    PlaylistItemData file(ioPath("/media/videos/holiday.mp4"));
    file.SetFileDuration(999999);
    QTest::newRow("under a second") << TextRow { file, "holiday.mp4", "00:00:00" };
    file.SetFileDuration(86399999000);
    QTest::newRow("just under a day") << TextRow { file, "holiday.mp4", "23:59:59" };
    file.SetFileDuration(90000000000);
    QTest::newRow("25 hours wrap") << TextRow { file, "holiday.mp4", "01:00:00" };
    // A DVD title shows its name; whatever follows its last slash.
    QTest::newRow("dvd") << TextRow { Dvd(), "DISC - Title 2: Bonus", "00:00:00" };
}

void tst_PlaylistDelegate::texts()
{
    QFETCH(TextRow, row);
    // The name is fitted to the widget's previous width, so paint twice.
    Render(row.item);
    Render(row.item);
    QCOMPARE(Label("Filename")->text(), row.filename);
    QCOMPARE(Label("Duration")->text(), row.duration);
}

void tst_PlaylistDelegate::longFileNameIsElided()
{
    const QString name = QStringLiteral("a very long file name that cannot fit into one row of "
                                        "the playlist however wide it is made.mkv");
    const PlaylistItemData item(ioPath("/films/" + name.toStdString()));
    Render(item, QStyle::State_None, 400);
    const QImage image = Render(item, QStyle::State_None, 400);
    QLabel* label = Label("Filename");
    const QString shown = label->text();
    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QVERIFY(name.startsWith(shown.chopped(1)));
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(shown) <= label->width());
    // The label takes what the fixed columns leave of the row.
    QVERIFY(label->width() < 400 - 5 - 10 - 6 - 22 - 6);
    QVERIFY(!BoundsOf(image, Qt::white).isNull());
}

void tst_PlaylistDelegate::separatorOnTheUnderDropRowOnly()
{
    PlaylistItemData item = File();
    item.SetUnderDrop(true);
    // A white line along the bottom edge; antialiased on the pixel grid, so
    // it blends with what lies behind it.
    const QImage withLine = Render(item);
    for (const int x : { 0, 150, 299 }) {
        const QColor line = withLine.pixelColor(x, 23);
        QVERIFY2(
            line.green() > 100 && line.red() == 255 && line.blue() == 255, qPrintable(line.name()));
    }
    QCOMPARE(withLine.pixelColor(150, 22), Backdrop);

    // The same widget painting the next row must drop the line again.
    item.SetUnderDrop(false);
    const QImage withoutLine = Render(item);
    for (const int x : { 0, 150, 299 })
        QCOMPARE(withoutLine.pixelColor(x, 23), Backdrop);
}

QTEST_MAIN(tst_PlaylistDelegate)
#include "tst_playlistdelegate.moc"
