#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "host/MediaSourceInfo.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Gui::Playlist;
using Tarvos::Gui::PlaylistListView;

Q_DECLARE_METATYPE(std::string)

class tst_PlaylistFrame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void buttons_data();
    void buttons();
    void busy_data();
    void busy();
    void fileInfoDialog();
    void controllerAndSelectedRow();

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

void tst_PlaylistFrame::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<QVariant>("actionId");

    QTest::newRow("file") << "AddFile" << 0 << "Add File"
                          << "File" << QVariant("Add File") << QVariant("AddFile");
    QTest::newRow("folder") << "AddFolder" << 1 << "Add folder"
                            << "Folder" << QVariant("Add Folder") << QVariant("AddFolder");
    QTest::newRow("dvd") << "AddDvd" << 2 << "Add DVD"
                         << "DVD" << QVariant() << QVariant();
    // Hidden, without a shadow, but wired all the same.
    QTest::newRow("3d") << "Add3D" << 3 << "Add 3D Video"
                        << "3D Video" << QVariant() << QVariant();
}

void tst_PlaylistFrame::buttons()
{
    QFETCH(QString, button);
    QFETCH(int, signal);
    QFETCH(QString, toolTip);
    QFETCH(QString, text);
    QFETCH(QVariant, name);
    QFETCH(QVariant, actionId);

    auto* pushButton = Child<QPushButton>(qPrintable(button));
    QCOMPARE(pushButton->toolTip(), toolTip);
    QCOMPARE(pushButton->text(), text);
    QCOMPARE(pushButton->property("name"), name);
    QCOMPARE(pushButton->property("actionId"), actionId);
    QCOMPARE(pushButton->isVisible(), signal != 3);
    auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(pushButton->graphicsEffect());
    QCOMPARE(shadow != nullptr, signal != 3);

    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const char* each : { SIGNAL(AddFileClicked()), SIGNAL(AddFolderClicked()),
             SIGNAL(AddDvdClicked()), SIGNAL(Add3DClicked()) })
        spies.push_back(std::make_unique<QSignalSpy>(m_frame.get(), each));
    pushButton->show();
    QTest::mouseClick(pushButton, Qt::LeftButton);
    for (int i = 0; i < int(spies.size()); ++i)
        QCOMPARE(spies[i]->count(), i == signal ? 1 : 0);
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
}

void tst_PlaylistFrame::fileInfoDialog()
{
    QSignalSpy spy(m_frame.get(), SIGNAL(ShowFileInfoDialog(std::string)));
    const std::string path = "/films/\xc3\x9c"
                             "ber.mkv";
    const auto controller = m_frame->GetController();
    controller->AddFile(ioPath("/films/first.mkv"), -1, false);
    controller->AddFile(ioPath(path), -1, false);
    controller->SetFileInfo(Tarvos::Sarnet::MediaSourceInfo::Create(ioPath(path), 9, "matroska"));

    auto* menu = new QMenu;
    QAction* fileInfo = menu->addAction(QStringLiteral("Information"));
    fileInfo->setObjectName(QStringLiteral("action_FileInformation"));
    menu->addMenu(QStringLiteral("Video"))->setObjectName(QStringLiteral("VideoTrack"));
    menu->addMenu(QStringLiteral("Audio"))->setObjectName(QStringLiteral("AudioTrack"));
    m_frame->SetContextMenu(menu);

    auto* view = Child<PlaylistListView>("ListView");
    QTimer::singleShot(0, menu, [menu, fileInfo] {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(fileInfo).center());
    });
    QTest::mouseClick(m_frame->windowHandle(), Qt::RightButton, {},
        view->viewport()->mapTo(
            m_frame.get(), view->visualRect(view->model()->index(1, 0)).center()));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<std::string>(), path);
}

void tst_PlaylistFrame::controllerAndSelectedRow()
{
    // Each call hands out a reference of its own; the frame keeps one until it goes.
    const auto controller = m_frame->GetController();
    QCOMPARE(controller->GetRefCount(), 2u);
    QCOMPARE(m_frame->GetController()->GetRefCount(), 3u);

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

    m_frame.reset();
    QCOMPARE(controller->GetRefCount(), 1u);
    // The view is gone; what needs it does nothing, the rest still works.
    QVERIFY(controller->StepTo(Tarvos::Gui::PlaylistController::StepNextByOrder));
    controller->SetFileInfo(Tarvos::Sarnet::MediaSourceInfo::Create(ioPath("/b.mkv"), 5, "x"));
    controller->DeleteSelectedFiles();
    QCOMPARE(controller->Serialize().Count(), 3u);
    controller->Clear();
    QCOMPARE(controller->GetItemCount(), 0);
}

QTEST_MAIN(tst_PlaylistFrame)
#include "tst_playlistframe.moc"
