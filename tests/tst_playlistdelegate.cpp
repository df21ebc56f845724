#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistItemWidget.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>
#include <memory>

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

struct Row
{
    PlaylistItemData item;
    QString filename, duration;
};

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_PlaylistDelegate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void backgroundsAndPlayCursor_data();
    void backgroundsAndPlayCursor();
    void texts_data();
    void texts();
    void longFileNameIsElided();
    void separatorOnTheUnderDropRowOnly();
    void badgesAndDvdIcon_data();
    void badgesAndDvdIcon();

private:
    // Paints the item as the middle row of three and returns that row; tells in
    // m_inPlace whether the rows around it and the painter stayed untouched.
    QImage Render(
        const PlaylistItemData& item, QStyle::State state = QStyle::State_Enabled, int width = 300);
    QLabel* Label(const char* name) const { return m_row->findChild<QLabel*>(name); }

    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<PlaylistModelTester> m_tester;
    std::unique_ptr<PlaylistItemDelegate> m_delegate;
    PlaylistItemWidget* m_row = nullptr;
    bool m_inPlace = false;
};

void tst_PlaylistDelegate::initTestCase()
{
    // Pixel and elision checks need one known font.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    Tarvos::Util::SetDVDLabelLookup([](const ioPath&) { return std::string("DISC"); });
}

void tst_PlaylistDelegate::init()
{
    m_model = std::make_unique<PlaylistModel>();
    m_tester = std::make_unique<PlaylistModelTester>(m_model.get());
    m_delegate = std::make_unique<PlaylistItemDelegate>();
    // The delegate's row widget has no parent, so it is a top-level widget.
    m_row = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* row = qobject_cast<PlaylistItemWidget*>(widget)) {
            QVERIFY(!m_row);
            m_row = row;
        }
    }
    QVERIFY(m_row);
}

void tst_PlaylistDelegate::cleanup()
{
    m_delegate.reset();
    m_tester.reset();
    m_model.reset();
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
    m_delegate->paint(&painter, option, m_model->InsertItem(item, -1));
    const bool restored = painter.transform().isIdentity();
    painter.end();
    QImage outside(width, height, image.format());
    outside.fill(Backdrop);
    m_inPlace = restored && image.copy(0, 0, width, height) == outside
        && image.copy(0, 2 * height, width, height) == outside;
    return image.copy(0, height, width, height);
}

void tst_PlaylistDelegate::backgroundsAndPlayCursor_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QColor>("background");
    QTest::newRow("plain") << false << false << Backdrop;
    QTest::newRow("active") << false << true << QColor("#5a5a5a");
    QTest::newRow("selected and active") << true << true << QColor("#3486b1");
}

void tst_PlaylistDelegate::backgroundsAndPlayCursor()
{
    QFETCH(bool, selected);
    QFETCH(bool, active);
    QFETCH(QColor, background);
    PlaylistItemData item(ioPath("/films/a.mkv"));
    item.SetActive(active);
    const QImage image = Render(item, selected ? QStyle::State_Selected : QStyle::State_None);
    QVERIFY(m_inPlace);
    // The left margin, the gap under the name and the right margin.
    for (const QPoint& point : { QPoint(1, 12), QPoint(150, 1), QPoint(298, 22), QPoint(150, 23) })
        QCOMPARE(image.pixelColor(point), background);
    // The 10-pixel column after the 5-pixel margin.
    QCOMPARE(BoundsOf(image, CursorGreen), active ? QRect(5, 7, 8, 10) : QRect());
}

void tst_PlaylistDelegate::texts_data()
{
    QTest::addColumn<Row>("row");
    PlaylistItemData file(ioPath("/media/videos/holiday.mp4"));
    file.SetFileDuration(999999);
    QTest::newRow("under a second") << Row { file, "holiday.mp4", "00:00:00" };
    file.SetFileDuration(86399999000);
    QTest::newRow("just under a day") << Row { file, "holiday.mp4", "23:59:59" };
    file.SetFileDuration(90000000000);
    QTest::newRow("25 hours wrap") << Row { file, "holiday.mp4", "01:00:00" };
    // A DVD title shows its name; whatever follows its last slash.
    QTest::newRow("dvd") << Row { Dvd(), "DISC - Title 2: Bonus", "00:00:00" };
}

void tst_PlaylistDelegate::texts()
{
    QFETCH(Row, row);
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
    PlaylistItemData item(ioPath("/films/a.mkv"));
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

void tst_PlaylistDelegate::badgesAndDvdIcon_data()
{
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<bool>("valid");
    QTest::newRow("dvd") << true << true;
    QTest::newRow("invalid dvd") << true << false;
    QTest::newRow("invalid file") << false << false;
}

void tst_PlaylistDelegate::badgesAndDvdIcon()
{
    QFETCH(bool, dvd);
    QFETCH(bool, valid);
    PlaylistItemData item(dvd ? Dvd() : PlaylistItemData(ioPath("/films/a.mkv")));
    item.SetValid(valid);
    // Painted twice: the badge must not pile up on the icon.
    Render(item);
    const QImage image = Render(item);

    const QRect blue = BoundsOf(image, DvdBlue);
    const QRect red = BoundsOf(image, BadgeRed);
    QCOMPARE(blue.isNull(), !dvd);
    QCOMPARE(red.isNull(), valid);
    if (dvd) {
        // Scaled to 16 × 16, in the 22-pixel column after the cursor column.
        const QRect icon = blue | red;
        QCOMPARE(icon.size(), QSize(16, 16));
        QCOMPARE(icon.left(), 5 + 10 + 6);
        if (!valid)
            QCOMPARE(red, QRect(icon.right() - 7, icon.top() + 16 / 2 - 8 / 2 + 1, 8, 8));
    } else {
        QCOMPARE(red.size(), QSize(8, 8));
        QCOMPARE(red.left(), 5 + 10 + 6 + 16 - 8);
    }
}

QTEST_MAIN(tst_PlaylistDelegate)
#include "tst_playlistdelegate.moc"
