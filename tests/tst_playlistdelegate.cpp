#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistItemWidget.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QtTest>
#include <memory>

using Tarvos::avTime;
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

} // namespace

class tst_PlaylistDelegate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rowsInAViewAre24PixelsHigh();
    void backgroundsAndPlayCursor_data();
    void backgroundsAndPlayCursor();
    void durations_data();
    void durations();
    void fileNameIsLastComponent();
    void longFileNameIsElided();
    void separatorOnTheUnderDropRowOnly();
    void badgesAndDvdIcon_data();
    void badgesAndDvdIcon();
    void paintsAtTheRowsPlace();

private:
    QModelIndex Add(const PlaylistItemData& item);
    QImage Render(
        const QModelIndex& index, QStyle::State state = QStyle::State_Enabled, int width = 300);
    PlaylistItemWidget* RowWidget() const;
    QLabel* Label(const char* name) const { return RowWidget()->findChild<QLabel*>(name); }

    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<PlaylistModelTester> m_tester;
    std::unique_ptr<PlaylistItemDelegate> m_delegate;
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
}

void tst_PlaylistDelegate::cleanup()
{
    m_delegate.reset();
    m_tester.reset();
    m_model.reset();
}

QModelIndex tst_PlaylistDelegate::Add(const PlaylistItemData& item)
{
    return m_model->InsertItem(item, -1);
}

QImage tst_PlaylistDelegate::Render(const QModelIndex& index, QStyle::State state, int width)
{
    QImage image(width, PlaylistItemDelegate::RowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Backdrop);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = state;
    m_delegate->paint(&painter, option, index);
    return image;
}

PlaylistItemWidget* tst_PlaylistDelegate::RowWidget() const
{
    // The delegate's row widget has no parent, so it is a top-level widget.
    PlaylistItemWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* row = qobject_cast<PlaylistItemWidget*>(widget)) {
            if (found)
                qFatal("more than one row widget");
            found = row;
        }
    }
    return found;
}

void tst_PlaylistDelegate::rowsInAViewAre24PixelsHigh()
{
    Add(PlaylistItemData(ioPath("/films/a.mkv")));
    Add(PlaylistItemData(ioPath(std::string(300, 'x'))));
    Add(PlaylistItemData(MediaSourceInfo::Create(ioPath("dvd://E:/:title=1"), 0, "dvd")));
    Tarvos::Gui::PlaylistListView view;
    view.setFont(QFont(QStringLiteral("DejaVu Sans"), 40));
    view.setModel(m_model.get());
    view.setItemDelegate(new PlaylistItemDelegate(&view));
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (int row = 0; row < 3; ++row)
        QCOMPARE(view.visualRect(m_model->index(row, 0)),
            QRect(0, row * 24, view.viewport()->width(), 24));
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
    const QImage image = Render(Add(item), selected ? QStyle::State_Selected : QStyle::State_None);
    // The left margin, the gap under the name and the right margin.
    for (const QPoint& point : { QPoint(1, 12), QPoint(150, 1), QPoint(298, 22), QPoint(150, 23) })
        QCOMPARE(image.pixelColor(point), background);
    // The 10-pixel column after the 5-pixel margin.
    const QRect cursor = BoundsOf(image, CursorGreen);
    QCOMPARE(cursor, active ? QRect(5, 7, 8, 10) : QRect());
}

void tst_PlaylistDelegate::durations_data()
{
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<QString>("text");
    QTest::newRow("under a second") << 999999ll << "00:00:00";
    QTest::newRow("just under a day") << 86399999000ll << "23:59:59";
    QTest::newRow("25 hours wrap") << 90000000000ll << "01:00:00";
}

void tst_PlaylistDelegate::durations()
{
    QFETCH(qint64, duration);
    QFETCH(QString, text);
    PlaylistItemData item(ioPath("/films/a.mkv"));
    item.SetFileDuration(duration);
    Render(Add(item));
    QCOMPARE(Label("Duration")->text(), text);
}

void tst_PlaylistDelegate::fileNameIsLastComponent()
{
    Render(Add(PlaylistItemData(ioPath("/media/videos/holiday.mp4"))));
    QCOMPARE(Label("Filename")->text(), QString("holiday.mp4"));
    // A DVD title shows its name; whatever follows its last slash.
    Render(Add(PlaylistItemData(MediaSourceInfo::Create(ioPath("dvd://E:/:title=2"), 0, "dvd"))));
    QCOMPARE(Label("Filename")->text(), QString("DISC - Title 2: Bonus"));
}

void tst_PlaylistDelegate::longFileNameIsElided()
{
    const QString name = QStringLiteral("a very long file name that cannot fit into one row of "
                                        "the playlist however wide it is made.mkv");
    const QModelIndex index = Add(PlaylistItemData(ioPath("/films/" + name.toStdString())));
    Render(index, QStyle::State_None, 400);
    // The name is fitted to the widget's previous width, so paint once more.
    const QImage image = Render(index, QStyle::State_None, 400);
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
    const QModelIndex plain = Add(item);
    item.SetUnderDrop(true);
    const QModelIndex marked = Add(item);

    // A white line along the bottom edge; antialiased on the pixel grid, so
    // it blends with what lies behind it.
    const QImage withLine = Render(marked);
    for (const int x : { 0, 150, 299 }) {
        const QColor line = withLine.pixelColor(x, 23);
        QVERIFY2(
            line.green() > 100 && line.red() == 255 && line.blue() == 255, qPrintable(line.name()));
    }
    QCOMPARE(withLine.pixelColor(150, 22), Backdrop);

    // The same widget painting the next row must drop the line again.
    const QImage withoutLine = Render(plain);
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
    PlaylistItemData item(dvd
            ? PlaylistItemData(MediaSourceInfo::Create(ioPath("dvd://E:/:title=1"), 0, "dvd"))
            : PlaylistItemData(ioPath("/films/a.mkv")));
    item.SetValid(valid);
    const QModelIndex index = Add(item);
    // Painted twice: the badge must not pile up on the icon.
    Render(index);
    const QImage image = Render(index);

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

void tst_PlaylistDelegate::paintsAtTheRowsPlace()
{
    PlaylistItemData item(ioPath("/films/a.mkv"));
    item.SetActive(true);
    const QModelIndex index = Add(item);
    QImage image(300, 72, QImage::Format_ARGB32_Premultiplied);
    image.fill(Backdrop);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 24, 300, 24);
    m_delegate->paint(&painter, option, index);
    QCOMPARE(painter.transform(), QTransform());
    painter.end();
    QCOMPARE(image.pixelColor(1, 23), Backdrop);
    QCOMPARE(image.pixelColor(1, 24), QColor("#5a5a5a"));
    QCOMPARE(image.pixelColor(1, 48), Backdrop);
    QCOMPARE(BoundsOf(image, CursorGreen).top(), 24 + 7);
}

QTEST_MAIN(tst_PlaylistDelegate)
#include "tst_playlistdelegate.moc"
