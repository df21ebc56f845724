#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistListView.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using Tarvos::ioPath;
using Tarvos::Gui::Playlist;
using Tarvos::Gui::PlaylistListView;

Q_DECLARE_METATYPE(std::string)

class tst_PlaylistFrame : public QObject
{
    Q_OBJECT

    template <class T> T* Child(const char* name) const
    {
        auto* child = m_frame->findChild<T*>(QLatin1String(name));
        if (!child)
            QTest::qFail(name, __FILE__, __LINE__);
        return child;
    }
    QPoint RowCenter(int row) const
    {
        auto* view = Child<PlaylistListView>("ListView");
        return view->viewport()->mapTo(
            m_frame.get(), view->visualRect(view->model()->index(row, 0)).center());
    }

    std::unique_ptr<Playlist> m_frame;

private slots:
    void init()
    {
        m_frame = std::make_unique<Playlist>();
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void cleanup() { m_frame.reset(); }

    void buttons()
    {
        // Each button emits its own signal; the 3D one is hidden and without a
        // shadow, but wired all the same.
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const char* each : { SIGNAL(AddFileClicked()), SIGNAL(AddFolderClicked()),
                 SIGNAL(AddDvdClicked()), SIGNAL(Add3DClicked()) })
            spies.push_back(std::make_unique<QSignalSpy>(m_frame.get(), each));
        int i = 0;
        for (const char* name : { "AddFile", "AddFolder", "AddDvd", "Add3D" }) {
            auto* button = Child<QPushButton>(name);
            QCOMPARE(button->isVisible(), i != 3);
            QCOMPARE(
                bool(qobject_cast<QGraphicsDropShadowEffect*>(button->graphicsEffect())), i != 3);
            button->show();
            QTest::mouseClick(button, Qt::LeftButton);
            for (int j = 0; j < 4; ++j)
                QCOMPARE(spies[j]->count(), j <= i ? 1 : 0);
            ++i;
        }
    }

    void busy()
    {
        auto* bar = Child<QProgressBar>("busyBar");
        auto* label = Child<QLabel>("busyLabel");
        const auto enabled = [this] {
            QList<bool> enabled;
            for (const char* name : { "AddFile", "AddFolder", "AddDvd", "Add3D" })
                enabled << Child<QPushButton>(name)->isEnabled();
            return enabled;
        };
        // Not busy: the text is not taken. Busy: the buttons but the hidden 3D one
        // are disabled, an empty text keeps the last one, and the label never shows.
        m_frame->ShowBusy(false, QStringLiteral("Scanning"));
        QCOMPARE(label->text(), QStringLiteral("TextLabel"));
        m_frame->ShowBusy(true, QStringLiteral("Scanning"));
        m_frame->ShowBusy(true, QString());
        QVERIFY(bar->isVisible() && !label->isVisible());
        QCOMPARE(label->text(), QStringLiteral("Scanning"));
        QCOMPARE(enabled(), QList<bool>({ false, false, false, true }));
        m_frame->ShowBusy(false, QStringLiteral("Done"));
        QVERIFY(!bar->isVisible() && !label->isVisible());
        QCOMPARE(enabled(), QList<bool>({ true, true, true, true }));
    }

    void fileInfoDialog()
    {
        QSignalSpy spy(m_frame.get(), SIGNAL(ShowFileInfoDialog(std::string)));
        const std::string path = "/films/\xc3\x9c"
                                 "ber.mkv";
        const auto controller = m_frame->GetController();
        controller->AddFile(ioPath("/films/first.mkv"), -1, false);
        controller->AddFile(ioPath(path), -1, false);
        controller->SetFileInfo(Tarvos::Sarnet::MediaSourceInfo::Create(ioPath(path), 9, "mkv"));
        auto* menu = new QMenu;
        QAction* fileInfo = menu->addAction(QStringLiteral("Information"));
        fileInfo->setObjectName(QStringLiteral("action_FileInformation"));
        m_frame->SetContextMenu(menu);
        QTimer::singleShot(0, menu, [menu, fileInfo] {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(fileInfo).center());
        });
        QTest::mouseClick(m_frame->windowHandle(), Qt::RightButton, {}, RowCenter(1));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<std::string>(), path);
    }

    void controllerAndSelectedRow()
    {
        // Each call hands out a reference of its own; the frame keeps one until it goes.
        const auto controller = m_frame->GetController();
        QCOMPARE(controller->GetRefCount(), 2u);
        QCOMPARE(m_frame->GetController()->GetRefCount(), 3u);
        for (const char* path : { "/a.mkv", "/b.mkv", "/c.mkv" })
            controller->AddFile(ioPath(path), -1, false);
        QCOMPARE(m_frame->GetSelectedRow(), -1);
        QTest::mouseClick(m_frame->windowHandle(), Qt::LeftButton, {}, RowCenter(2));
        QTest::mouseClick(
            m_frame->windowHandle(), Qt::LeftButton, Qt::ControlModifier, RowCenter(0));
        QCOMPARE(m_frame->GetSelectedRow(), Child<PlaylistListView>("ListView")->GetSelectedRow());
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
};

QTEST_MAIN(tst_PlaylistFrame)
#include "tst_playlistframe.moc"
