#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "host/MediaSourceInfo.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Gui::Playlist;
using Tarvos::Gui::PlaylistController;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistListView;
using Tarvos::Sarnet::MediaSourceInfo;
using Tarvos::Sarnet::MediaType;

Q_DECLARE_METATYPE(std::string)

namespace {

// Translates the frame's texts into a made-up language.
class Translator final : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "Playlist") != 0)
            return QString();
        return QStringLiteral("<%1>").arg(QString::fromUtf8(source));
    }
};

struct Texts
{
    QString toolTip;
    QString text;
    QVariant name;
    QVariant actionId;
};

} // namespace

class tst_PlaylistFrame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void freshWidget();
    void childOfItsParent();
    void buttons_data();
    void buttons();
    void dropShadows();
    void busy_data();
    void busy();
    void fileInfoDialog();
    void selectedRowAndController();
    void languageChange();

private:
    template <class T> T* Child(const char* name) const
    {
        auto* child = m_frame->findChild<T*>(QLatin1String(name));
        if (!child)
            QTest::qFail(name, __FILE__, __LINE__);
        return child;
    }
    QList<bool> ButtonsEnabled() const;

    std::unique_ptr<Playlist> m_frame;
};

void tst_PlaylistFrame::init()
{
    m_frame = std::make_unique<Playlist>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void tst_PlaylistFrame::cleanup()
{
    m_frame.reset();
}

QList<bool> tst_PlaylistFrame::ButtonsEnabled() const
{
    QList<bool> enabled;
    for (const char* name : { "AddFile", "AddFolder", "AddDvd", "Add3D" })
        enabled << Child<QPushButton>(name)->isEnabled();
    return enabled;
}

void tst_PlaylistFrame::freshWidget()
{
    QCOMPARE(m_frame->objectName(), QStringLiteral("Playlist"));
    QCOMPARE(m_frame->metaObject()->className(), "Tarvos::Gui::Playlist");
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Playlist"));

    auto* view = Child<PlaylistListView>("ListView");
    QVERIFY(view->isVisible());
    QCOMPARE(view->property("type").toString(), QStringLiteral("PlaylistListView"));
    auto* line = Child<QFrame>("horizontalLine");
    QVERIFY(line->isVisible());
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->property("type").toString(), QStringLiteral("Playlist:horizontal"));

    const QList<Texts> expected {
        { "Add File", "File", "Add File", "AddFile" },
        { "Add folder", "Folder", "Add Folder", "AddFolder" },
        { "Add DVD", "DVD", {}, {} },
        { "Add 3D Video", "3D Video", {}, {} },
    };
    const QList<const char*> names { "AddFile", "AddFolder", "AddDvd", "Add3D" };
    for (int i = 0; i < names.size(); ++i) {
        const auto* button = Child<QPushButton>(names[i]);
        QCOMPARE(button->toolTip(), expected[i].toolTip);
        QCOMPARE(button->text(), expected[i].text);
        QCOMPARE(button->property("name"), expected[i].name);
        QCOMPARE(button->property("actionId"), expected[i].actionId);
        QCOMPARE(button->isVisible(), i != 3);
    }
    QVERIFY(!Child<QProgressBar>("busyBar")->isVisible());
    QVERIFY(!Child<QLabel>("busyLabel")->isVisible());
    QCOMPARE(Child<QLabel>("busyLabel")->text(), QStringLiteral("TextLabel"));
    QCOMPARE(ButtonsEnabled(), (QList<bool> { true, true, true, true }));
}

void tst_PlaylistFrame::childOfItsParent()
{
    auto parent = std::make_unique<QWidget>();
    QPointer<Playlist> frame = new Playlist(parent.get());
    QCOMPARE(frame->parentWidget(), parent.get());
    QCOMPARE(frame->size(), QSize(369, 544));
    const auto controller = frame->GetController();
    QCOMPARE(controller->GetRefCount(), 2u);

    parent.reset();
    QVERIFY(!frame);
    // The frame let go of its reference when it went.
    QCOMPARE(controller->GetRefCount(), 1u);
}

void tst_PlaylistFrame::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("signal");

    QTest::newRow("file") << "AddFile" << 0;
    QTest::newRow("folder") << "AddFolder" << 1;
    QTest::newRow("dvd") << "AddDvd" << 2;
    QTest::newRow("3d") << "Add3D" << 3;
}

void tst_PlaylistFrame::buttons()
{
    QFETCH(QString, button);
    QFETCH(int, signal);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const char* each : { SIGNAL(AddFileClicked()), SIGNAL(AddFolderClicked()),
             SIGNAL(AddDvdClicked()), SIGNAL(Add3DClicked()) })
        spies.push_back(std::make_unique<QSignalSpy>(m_frame.get(), each));

    auto* pushButton = Child<QPushButton>(qPrintable(button));
    pushButton->show();
    QTest::mouseClick(pushButton, Qt::LeftButton);
    for (int i = 0; i < int(spies.size()); ++i)
        QCOMPARE(spies[i]->count(), i == signal ? 1 : 0);
}

void tst_PlaylistFrame::dropShadows()
{
    for (const char* name : { "AddFile", "AddFolder", "AddDvd" }) {
        auto* shadow
            = qobject_cast<QGraphicsDropShadowEffect*>(Child<QPushButton>(name)->graphicsEffect());
        QVERIFY2(shadow, name);
        QCOMPARE(shadow->parent(), m_frame.get());
        QCOMPARE(shadow->blurRadius(), 1.0);
        QCOMPARE(shadow->offset(), QPointF(0, 1));
        QCOMPARE(shadow->color(), QColor(0, 0, 0, 128));
    }
    QVERIFY(!Child<QPushButton>("Add3D")->graphicsEffect());
}

void tst_PlaylistFrame::busy_data()
{
    QTest::addColumn<QList<bool>>("busy");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("barShown");
    QTest::addColumn<bool>("labelShown");
    QTest::addColumn<QString>("label");

    QTest::newRow("busy without text")
        << QList<bool> { true } << QStringList { "" } << true << false << "TextLabel";
    QTest::newRow("busy with text")
        << QList<bool> { true } << QStringList { "Scanning" } << true << true << "Scanning";
    QTest::newRow("busy, then done")
        << QList<bool> { true, false } << QStringList { "Scanning", "Scanning" } << false << false
        << "Scanning";
    QTest::newRow("text, then none") << QList<bool> { true, true } << QStringList { "Scanning", "" }
                                     << true << false << "Scanning";
    QTest::newRow("not busy keeps the label hidden")
        << QList<bool> { false } << QStringList { "Scanning" } << false << false << "TextLabel";
}

void tst_PlaylistFrame::busy()
{
    QFETCH(QList<bool>, busy);
    QFETCH(QStringList, texts);
    QFETCH(bool, barShown);
    QFETCH(bool, labelShown);
    QFETCH(QString, label);

    for (int i = 0; i < busy.size(); ++i)
        m_frame->ShowBusy(busy[i], texts[i]);
    QCOMPARE(Child<QProgressBar>("busyBar")->isVisible(), barShown);
    QCOMPARE(Child<QLabel>("busyLabel")->isVisible(), labelShown);
    QCOMPARE(Child<QLabel>("busyLabel")->text(), label);
    const bool enabled = !busy.last();
    // The hidden 3D button is left alone.
    QCOMPARE(ButtonsEnabled(), (QList<bool> { enabled, enabled, enabled, true }));
    QCOMPARE(Child<QProgressBar>("busyBar")->minimum(), 0);
    QCOMPARE(Child<QProgressBar>("busyBar")->maximum(), 0);
}

void tst_PlaylistFrame::fileInfoDialog()
{
    QSignalSpy spy(m_frame.get(), SIGNAL(ShowFileInfoDialog(std::string)));
    const auto controller = m_frame->GetController();
    controller->AddFile(ioPath("/films/first.mkv"), -1, false);
    controller->AddFile(ioPath("/films/second.mkv"), -1, false);
    auto info = MediaSourceInfo::Create(ioPath("/films/second.mkv"), 90000000, "matroska,webm");
    info->AddStream(MediaType::Audio, Tarvos::Core::Property());
    controller->SetFileInfo(info);

    auto* menu = new QMenu;
    QAction* fileInfo = menu->addAction(QStringLiteral("Information"));
    fileInfo->setObjectName(QStringLiteral("action_FileInformation"));
    menu->addMenu(QStringLiteral("Video"))->setObjectName(QStringLiteral("VideoTrack"));
    menu->addMenu(QStringLiteral("Audio"))->setObjectName(QStringLiteral("AudioTrack"));
    m_frame->SetContextMenu(menu);

    auto* view = Child<PlaylistListView>("ListView");
    const QRect second = view->visualRect(view->model()->index(1, 0));
    QTimer::singleShot(0, menu, [menu, fileInfo] {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(fileInfo).center());
    });
    QTest::mouseClick(m_frame->windowHandle(), Qt::RightButton, {},
        view->viewport()->mapTo(m_frame.get(), second.center()));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<std::string>(), std::string("/films/second.mkv"));
}

void tst_PlaylistFrame::selectedRowAndController()
{
    const auto controller = m_frame->GetController();
    QVERIFY(controller);
    QCOMPARE(m_frame->GetController(), controller);
    // The frame's reference, this one, and the one being counted.
    QCOMPARE(m_frame->GetController()->AddRef(), 4u);
    QCOMPARE(controller->Release(), 2u);

    for (const char* path : { "/a.mkv", "/b.mkv", "/c.mkv" })
        controller->AddFile(ioPath(path), -1, false);
    QCOMPARE(m_frame->GetSelectedRow(), -1);
    auto* view = Child<PlaylistListView>("ListView");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
        view->visualRect(view->model()->index(2, 0)).center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
        view->visualRect(view->model()->index(0, 0)).center());
    QCOMPARE(m_frame->GetSelectedRow(), view->GetSelectedRow());
    QVERIFY(m_frame->GetSelectedRow() != -1);
}

void tst_PlaylistFrame::languageChange()
{
    Translator translator;
    QCoreApplication::installTranslator(&translator);
    const auto* file = Child<QPushButton>("AddFile");
    const auto* threeD = Child<QPushButton>("Add3D");
    // The application posts the language change to its windows.
    QTRY_COMPARE(m_frame->windowTitle(), QStringLiteral("<Playlist>"));
    QCOMPARE(file->text(), QStringLiteral("<File>"));
    QCOMPARE(file->toolTip(), QStringLiteral("<Add File>"));
    QCOMPARE(file->property("name").toString(), QStringLiteral("<Add File>"));
    QCOMPARE(file->property("actionId").toString(), QStringLiteral("AddFile"));
    QCOMPARE(threeD->text(), QStringLiteral("<3D Video>"));
    QCOMPARE(Child<PlaylistListView>("ListView")->property("type").toString(),
        QStringLiteral("<PlaylistListView>"));
    QCOMPARE(Child<QFrame>("horizontalLine")->property("type").toString(),
        QStringLiteral("<Playlist:horizontal>"));

    QCoreApplication::removeTranslator(&translator);
    QTRY_COMPARE(file->text(), QStringLiteral("File"));
    QCOMPARE(m_frame->objectName(), QStringLiteral("Playlist"));
}

QTEST_MAIN(tst_PlaylistFrame)
#include "tst_playlistframe.moc"
