#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistControllerTestSupport.h"
#include "PlaylistModelTester.h"
#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/MediaSourceInfo.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <glog/logging.h>
#include <memory>
#include <random>
#include <vector>

using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::PlaylistController;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistListView;
using Tarvos::Sarnet::MediaSourceInfo;

namespace {

using InfoPtr = boost::intrusive_ptr<const MediaSourceInfo>;

struct LogLine
{
    google::LogSeverity severity;
    std::string fullFilename;
    std::string baseFilename;
    std::string text;
};

// Collects what the logging library hands to its sinks.
class CapturingSink final : public google::LogSink
{
public:
    void send(google::LogSeverity severity, const char* fullFilename, const char* baseFilename, int,
        const google::LogMessageTime&, const char* message, size_t length) override
    {
        lines.push_back({ severity, fullFilename, baseFilename, std::string(message, length) });
    }

    std::vector<LogLine> lines;
};

InfoPtr Info(const std::string& path, Tarvos::avTime duration)
{
    return MediaSourceInfo::Create(ioPath(path), duration, "matroska");
}

// One playlist child as the controller writes it.
Property Entry(const std::string& path, int audio, int video, bool active)
{
    Property entry;
    entry.SetArrayType();
    entry.SetChild("filename", path);
    entry.SetChild("audiostream", audio);
    entry.SetChild("videostream", video);
    if (active)
        entry.SetChild("active", true);
    return entry;
}

Property Tree(const std::vector<Property>& entries)
{
    Property root("playlist");
    root.SetArrayType();
    for (const Property& entry : entries)
        root.Add(entry);
    return root;
}

} // namespace

class tst_PlaylistController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void createAndRelease();
    void observerRegistration();
    void observerAddedDuringANotification();
    void observerRemovedDuringANotification();
    void observerAddingFilesWhileNotified();

    void addFile();
    void addFileAndActivate();
    void addFileOutsideTheList();
    void deleteFile();
    void deleteSelectedFiles();
    void clear();
    void getFileAndSelectedFile();
    void updateFile();

    void viewEventsReachTheObservers();
    void fileDropped();
    void activeFileDropped_data();
    void activeFileDropped();
    void trackSelection();

    void setFileInfo();
    void setFileInfoFailed();
    void fileInfoForAnUnknownPath();
    void fileInfoWhileObserversChangeTheList();
    void fileInfoAfterRandomEdits();
    void logLines();

    void serialize();
    void deserializeRoundTrip();
    void deserializeThroughText();
    void deserializeOddEntries();
    void deserializeAppends();
    void deserializeDvdPath();
    void deserializeArbitraryTrees();

private:
    std::unique_ptr<ControllerFixture> m_f;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
    QTemporaryDir m_logDir;
};

void tst_PlaylistController::initTestCase()
{
    QVERIFY(m_logDir.isValid());
    FLAGS_log_dir = m_logDir.path().toStdString();
    google::InitGoogleLogging("tst_playlistcontroller");
}

void tst_PlaylistController::cleanupTestCase()
{
    google::ShutdownGoogleLogging();
}

void tst_PlaylistController::init()
{
    m_log.clear();
    m_f = std::make_unique<ControllerFixture>();
    m_tester = std::make_unique<PlaylistModelTester>(m_f->view->model());
}

void tst_PlaylistController::cleanup()
{
    m_tester.reset();
    m_f.reset();
}

void tst_PlaylistController::createAndRelease()
{
    QVERIFY(!PlaylistController::Create(nullptr));

    PlaylistListView view;
    boost::intrusive_ptr<PlaylistController> controller = PlaylistController::Create(&view);
    QVERIFY(controller);
    QCOMPARE(controller->GetRefCount(), 1u);
    QPointer<QAbstractItemModel> model = view.model();
    QVERIFY(qobject_cast<Tarvos::Gui::PlaylistModel*>(model));
    QVERIFY(!model->parent());
    auto* delegate = qobject_cast<Tarvos::Gui::PlaylistItemDelegate*>(view.itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(delegate->parent(), &view);
    controller->AddFile(ioPath("/a"), -1, false);
    QCOMPARE(model->rowCount(), 1);

    {
        boost::intrusive_ptr<PlaylistController> second = controller;
        QCOMPARE(controller->GetRefCount(), 2u);
    }
    QCOMPARE(controller->GetRefCount(), 1u);
    controller.reset();
    // The model went with the controller, and the view no longer reports to it.
    QVERIFY(!model);
    QVERIFY(!view.model());
    QTest::keyClick(&view, Qt::Key_Delete);
}

void tst_PlaylistController::observerRegistration()
{
    RecordingObserver first(&m_log, "1");
    RecordingObserver second(&m_log, "2");
    m_f->controller->AddEventObserver(&first);
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(0));
    m_f->controller->AddEventObserver(&second);
    m_f->controller->AddEventObserver(&first);
    m_f->controller->AddEventObserver(&second);
    m_f->controller->AddEventObserver(nullptr);
    // Each newcomer hears the current states at once, and only once.
    QCOMPARE(m_log.filter("rewind").mid(0, 1), QStringList({ "1:rewind 0" }));
    QCOMPARE(m_log.last(), QString("2:rewind 1"));

    m_log.clear();
    m_f->controller->OnPlaylistWidgetKeyPress(Qt::Key_Return);
    QCOMPARE(m_log, QStringList({ "1:key 16777220", "2:key 16777220" }));

    m_log.clear();
    m_f->controller->RemoveEventObserver(&first);
    m_f->controller->RemoveEventObserver(&first);
    m_f->controller->OnPlaylistWidgetKeyPress(Qt::Key_A);
    QCOMPARE(m_log, QStringList({ "2:key 65" }));
    m_f->controller->RemoveEventObserver(&second);
}

void tst_PlaylistController::observerAddedDuringANotification()
{
    RecordingObserver first(&m_log, "1");
    RecordingObserver late(&m_log, "late");
    RecordingObserver last(&m_log, "2");
    first.onChanged = [&] { m_f->controller->AddEventObserver(&late); };
    m_f->controller->AddEventObserver(&first);
    m_f->controller->AddEventObserver(&last);
    m_log.clear();

    m_f->controller->OnPlaylistModelChanged();
    // The newcomer hears the states at once but not the call under way.
    QCOMPARE(m_log, QStringList({ "1:changed", "late:rewind 0", "2:changed" }));
    m_log.clear();
    m_f->controller->OnPlaylistModelChanged();
    QCOMPARE(m_log, QStringList({ "1:changed", "2:changed", "late:changed" }));
    for (auto* observer : { &first, &late, &last })
        m_f->controller->RemoveEventObserver(observer);
}

void tst_PlaylistController::observerRemovedDuringANotification()
{
    RecordingObserver first(&m_log, "1");
    RecordingObserver second(&m_log, "2");
    first.onRewind = [&](int) { m_f->controller->RemoveEventObserver(&second); };
    m_f->controller->AddEventObserver(&first);
    m_f->controller->AddEventObserver(&second);
    m_log.clear();

    m_f->controller->SetRepeat(true);
    // Removed while the call was under way: told this time, not the next.
    QCOMPARE(m_log, QStringList({ "1:rewind 0", "2:rewind 0" }));
    m_log.clear();
    m_f->controller->SetRepeat(false);
    QCOMPARE(m_log, QStringList({ "1:rewind 0" }));
    m_f->controller->RemoveEventObserver(&first);
}

void tst_PlaylistController::observerAddingFilesWhileNotified()
{
    RecordingObserver host(&m_log, QString());
    RecordingObserver other(&m_log, "o");
    bool added = false;
    host.onActive = [&](int) {
        if (!added) {
            added = true;
            m_f->controller->AddFile(ioPath("/extra"), 0, false);
        }
    };
    m_f->Fill(2);
    m_f->controller->AddEventObserver(&host);
    m_f->controller->AddEventObserver(&other);
    m_log.clear();

    QVERIFY(m_f->controller->StepTo(1));
    // The nested insertion runs to its end before the second observer hears
    // of the switch; the row it hears is the one reported before the insertion.
    QCOMPARE(m_log,
        QStringList({ "changed", "o:changed", "active 1", "changed", "o:changed", "changed",
            "o:changed", "rewind 2", "o:rewind 2", "o:active 1", "rewind 2", "o:rewind 2" }));
    QCOMPARE(m_f->Paths(), QStringList({ "/extra", "/0", "/1" }));
    QCOMPARE(m_f->ActiveRow(), 2);
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 2 }));
    m_f->controller->RemoveEventObserver(&host);
    m_f->controller->RemoveEventObserver(&other);
}

void tst_PlaylistController::addFile()
{
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();

    QCOMPARE(m_f->controller->AddFile(ioPath("/a"), -1, false), 0);
    // The empty row, the stored record, then the states.
    QCOMPARE(m_log, QStringList({ "changed", "changed", "rewind 0" }));
    QCOMPARE(m_f->ActiveRow(), -1);

    PlaylistItemData record(ioPath("/b"));
    record.SetSelectedAudioStream(2);
    record.SetFileDuration(42);
    QCOMPARE(m_f->controller->AddFile(record, 0, false), 0);
    QCOMPARE(m_f->controller->AddFile(ioPath("/c"), 1, false), 1);
    QCOMPARE(m_f->controller->AddFile(ioPath("/d"), 3, false), 3);
    QCOMPARE(m_f->controller->GetItemCount(), 4);
    QCOMPARE(m_f->Paths(), QStringList({ "/b", "/c", "/a", "/d" }));
    QCOMPARE(m_f->Record(0).GetSelectedAudioStream(), 2);
    QCOMPARE(m_f->Record(0).GetFileDuration(), Tarvos::avTime(42));
    QCOMPARE(m_f->Record(0).GetIndex().row(), 0);
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::addFileAndActivate()
{
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();

    QCOMPARE(m_f->controller->AddFile(ioPath("/a"), -1, true), 0);
    QCOMPARE(m_log,
        QStringList({ "changed", "changed", "changed", "active 0", "rewind 0", "rewind 0" }));
    QCOMPARE(m_f->ActiveRow(), 0);

    m_log.clear();
    QCOMPARE(m_f->controller->AddFile(ioPath("/b"), 0, true), 0);
    QCOMPARE(m_log,
        QStringList(
            { "changed", "changed", "changed", "changed", "active 0", "rewind 1", "rewind 1" }));
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 0 }));
    QCOMPARE(m_f->Path(0), QString("/b"));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::addFileOutsideTheList()
{
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(1));
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    QCOMPARE(m_f->controller->AddFile(ioPath("/x"), 5, true), -1);
    QCOMPARE(m_log, QStringList({ "rewind 2" }));
    QCOMPARE(m_f->ActiveRow(), 1);
    QCOMPARE(m_f->controller->GetItemCount(), 2);
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::deleteFile()
{
    m_f->Fill(3);
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    m_f->controller->DeleteFile(-1);
    m_f->controller->DeleteFile(3);
    QCOMPARE(m_log, QStringList());
    m_f->controller->DeleteFile(1);
    QCOMPARE(m_log, QStringList({ "changed", "rewind 0" }));
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/2" }));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::deleteSelectedFiles()
{
    m_f->Fill(6);
    QVERIFY(m_f->controller->StepTo(5));
    QItemSelectionModel* selection = m_f->view->selectionModel();
    QAbstractItemModel* model = m_f->view->model();
    selection->select(model->index(4, 0), QItemSelectionModel::Select);
    selection->select(
        QItemSelection(model->index(0, 0), model->index(1, 0)), QItemSelectionModel::Select);
    selection->select(model->index(3, 0), QItemSelectionModel::Select);
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    QList<int> removed;
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved,
        [&](const QModelIndex&, int first, int last) {
            QCOMPARE(first, last);
            removed << first;
        });

    m_f->controller->DeleteSelectedFiles();
    // Always the last row of the selection first, one row at a time.
    QCOMPARE(removed, QList<int>({ 3, 1, 0, 1 }));
    QCOMPARE(m_f->Paths(), QStringList({ "/2", "/5" }));
    QCOMPARE(m_log, QStringList({ "changed", "changed", "changed", "changed", "rewind 2" }));
    QCOMPARE(m_f->ActiveRow(), 1);

    m_log.clear();
    m_f->controller->DeleteSelectedFiles();
    QCOMPARE(m_log, QStringList({ "rewind 2" }));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::clear()
{
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    m_f->controller->Clear();
    QCOMPARE(m_log, QStringList({ "rewind 0" }));

    m_f->Fill(4);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(m_f->controller->StepTo(0));
    QVERIFY(m_f->controller->StepTo(1));
    QSignalSpy removed(m_f->view->model(), &QAbstractItemModel::rowsRemoved);
    m_log.clear();
    m_f->controller->Clear();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 0);
    QCOMPARE(removed.at(0).at(2).toInt(), 3);
    QCOMPARE(m_log, QStringList({ "changed", "rewind 0" }));

    // Neither the history nor the pool outlives the rows.
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByStrategy));
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::getFileAndSelectedFile()
{
    m_f->Fill(3);
    PlaylistItemData out(ioPath("/untouched"));
    QVERIFY(!m_f->controller->GetFile(out));
    QVERIFY(!m_f->controller->GetSelectedFile(out));
    QCOMPARE(out.GetName(), std::string("/untouched"));

    QVERIFY(m_f->controller->StepTo(2));
    QVERIFY(m_f->controller->GetFile(out));
    QCOMPARE(out.GetName(), std::string("/2"));
    QVERIFY(out.GetActive());

    QAbstractItemModel* model = m_f->view->model();
    m_f->view->selectionModel()->select(model->index(1, 0), QItemSelectionModel::Select);
    m_f->view->selectionModel()->select(model->index(0, 0), QItemSelectionModel::Select);
    QVERIFY(m_f->controller->GetSelectedFile(out));
    QCOMPARE(out.GetName(), std::string("/1"));
    QCOMPARE(out.GetIndex().row(), 1);
}

void tst_PlaylistController::updateFile()
{
    m_f->Fill(2);
    QVERIFY(!m_f->controller->UpdateFile(PlaylistItemData(ioPath("/new"))));
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/1" }));

    QVERIFY(m_f->controller->StepTo(1));
    PlaylistItemData record;
    QVERIFY(m_f->controller->GetFile(record));
    // Rows inserted meanwhile do not matter: the record knows its entry.
    m_f->controller->AddFile(ioPath("/top"), 0, false);
    record.SetSelectedVideoStream(4);
    QVERIFY(m_f->controller->UpdateFile(record));
    QCOMPARE(m_f->Record(2).GetSelectedVideoStream(), 4);
    QCOMPARE(m_f->Record(2).GetIndex().row(), 2);

    m_f->controller->DeleteFile(2);
    QVERIFY(!m_f->controller->UpdateFile(record));
    QCOMPARE(m_f->Paths(), QStringList({ "/top", "/0" }));
}

void tst_PlaylistController::viewEventsReachTheObservers()
{
    RecordingObserver observer(&m_log, QString());
    m_f->Fill(3);
    m_f->controller->AddEventObserver(&observer);
    QVERIFY(QTest::qWaitForWindowExposed(m_f->view.get()));
    m_log.clear();

    const QRect row1 = m_f->view->visualRect(m_f->view->model()->index(1, 0));
    QTest::mouseClick(m_f->view->viewport(), Qt::LeftButton, Qt::NoModifier, row1.center());
    QTest::mouseDClick(m_f->view->viewport(), Qt::LeftButton, Qt::NoModifier, row1.center());
    QTest::keyClick(m_f->view.get(), Qt::Key_Delete);
    // The controller only reports; the host decides.
    QCOMPARE(m_log.filter(QRegularExpression("^(double|key)")),
        QStringList({ "double 1", "key 16777223" }));
    QCOMPARE(m_f->ActiveRow(), -1);
    QCOMPARE(m_f->controller->GetItemCount(), 3);
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::fileDropped()
{
    RecordingObserver host(&m_log, QString());
    RecordingObserver other(&m_log, "o");
    host.onDropped = [&](const std::string& path, int row) {
        m_f->controller->AddFile(ioPath(path), row, false);
    };
    m_f->Fill(2);
    m_f->controller->AddEventObserver(&host);
    m_f->controller->AddEventObserver(&other);
    m_log.clear();
    m_f->controller->OnFileDropped("/dropped", 1);
    QCOMPARE(m_log.first(), QString("dropped /dropped 1"));
    QCOMPARE(m_log.last(), QString("o:dropped /dropped 1"));
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/dropped", "/1" }));
    QCOMPARE(m_f->ActiveRow(), -1);
    m_f->controller->RemoveEventObserver(&host);
    m_f->controller->RemoveEventObserver(&other);
}

void tst_PlaylistController::activeFileDropped_data()
{
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("active");
    QTest::addColumn<QString>("activePath");

    QTest::newRow("inserted") << true << 1 << 1 << "/dropped";
    QTest::newRow("inserted at the end") << true << 2 << 2 << "/dropped";
    QTest::newRow("not inserted") << false << 1 << 1 << "/1";
    QTest::newRow("not inserted, at the end") << false << 2 << -1 << "";
}

void tst_PlaylistController::activeFileDropped()
{
    QFETCH(bool, insert);
    QFETCH(int, row);
    QFETCH(int, active);
    QFETCH(QString, activePath);

    RecordingObserver host(&m_log, QString());
    if (insert) {
        host.onDropped = [&](const std::string& path, int at) {
            m_f->controller->AddFile(ioPath(path), at, false);
        };
    }
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(0));
    m_f->controller->AddEventObserver(&host);
    m_log.clear();

    m_f->controller->OnActiveFileDropped("/dropped", row);
    QCOMPARE(m_log.first(), QStringLiteral("dropped /dropped %1").arg(row));
    QVERIFY(m_log.contains(QStringLiteral("active %1").arg(active)));
    QCOMPARE(m_f->ActiveRow(), active);
    if (active >= 0)
        QCOMPARE(m_f->Path(active), activePath);
    QCOMPARE(m_f->FlaggedRows(), active >= 0 ? QList<int>({ active }) : QList<int>());
    m_f->controller->RemoveEventObserver(&host);
}

void tst_PlaylistController::trackSelection()
{
    RecordingObserver observer(&m_log, QString());
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    QAbstractItemModel* model = m_f->view->model();

    m_f->controller->OnPlaylistWidgetAudioTrackSelected(
        QPersistentModelIndex(model->index(0, 0)), 3);
    m_f->controller->OnPlaylistWidgetVideoTrackSelected(
        QPersistentModelIndex(model->index(0, 0)), 4);
    QCOMPARE(m_log, QStringList({ "changed", "changed" }));
    QCOMPARE(m_f->Record(0).GetSelectedAudioStream(), 3);
    QCOMPARE(m_f->Record(0).GetSelectedVideoStream(), 4);

    m_log.clear();
    m_f->controller->OnPlaylistWidgetAudioTrackSelected(
        QPersistentModelIndex(model->index(1, 0)), 1);
    m_f->controller->OnPlaylistWidgetVideoTrackSelected(
        QPersistentModelIndex(model->index(1, 0)), 2);
    QCOMPARE(m_log, QStringList({ "changed", "audio 1", "changed", "video 2" }));
    QCOMPARE(m_f->Record(1).GetSelectedAudioStream(), 1);
    QCOMPARE(m_f->Record(1).GetSelectedVideoStream(), 2);
    QVERIFY(m_f->Record(1).GetActive());

    m_log.clear();
    m_f->controller->OnPlaylistWidgetAudioTrackSelected(QPersistentModelIndex(), 1);
    QCOMPARE(m_log, QStringList());
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::setFileInfo()
{
    m_f->controller->AddFile(ioPath("/a"), -1, false);
    m_f->controller->AddFile(ioPath("/b"), -1, false);
    m_f->controller->AddFile(ioPath("dvd://E:/:title=1"), -1, false);
    m_f->controller->AddFile(ioPath("/a"), -1, true);
    PlaylistItemData record = m_f->Record(0);
    record.SetSelectedAudioStream(1);
    QVERIFY(m_f->controller->UpdateFile(record));
    QSignalSpy changed(m_f->view->model(), &QAbstractItemModel::dataChanged);

    const InfoPtr info = Info("/a", 5000000);
    m_f->controller->SetFileInfo(info);
    QCOMPARE(changed.count(), 2);
    for (const int row : { 0, 3 }) {
        QCOMPARE(m_f->Record(row).GetInfo(), info);
        QCOMPARE(m_f->Record(row).GetFileDuration(), Tarvos::avTime(5000000));
        QVERIFY(m_f->Record(row).IsValid());
    }
    // Everything else of the entries stays.
    QCOMPARE(m_f->Record(0).GetSelectedAudioStream(), 1);
    QVERIFY(m_f->Record(3).GetActive());
    QVERIFY(!m_f->Record(1).GetInfo());

    // Information never makes a restored DVD entry a DVD title.
    const InfoPtr dvd = Info("dvd://E:/:title=1", 1800000000);
    m_f->controller->SetFileInfo(dvd);
    QCOMPARE(m_f->Record(2).GetInfo(), dvd);
    QVERIFY(!m_f->Record(2).IsDVD());
    QCOMPARE(m_f->Record(2).GetName(), std::string("dvd://E:/:title=1"));

    // A later failure and then new information for the same file.
    m_f->controller->SetFileInfoFailed("/b");
    m_f->controller->SetFileInfo(Info("/b", 7));
    QVERIFY(!m_f->Record(1).IsValid());
    QCOMPARE(m_f->Record(1).GetFileDuration(), Tarvos::avTime(7));
}

void tst_PlaylistController::setFileInfoFailed()
{
    m_f->controller->AddFile(ioPath("/a"), -1, false);
    m_f->controller->AddFile(ioPath("/b"), -1, false);
    m_f->controller->AddFile(ioPath("/a"), -1, false);
    m_f->controller->SetFileInfo(Info("/a", 9));
    m_f->controller->SetFileInfoFailed("/a");
    for (const int row : { 0, 2 }) {
        QVERIFY(!m_f->Record(row).IsValid());
        QVERIFY(!m_f->Record(row).GetInfo());
        QCOMPARE(m_f->Record(row).GetFileDuration(), Tarvos::avTime(9));
    }
    QVERIFY(m_f->Record(1).IsValid());
}

void tst_PlaylistController::fileInfoForAnUnknownPath()
{
    m_f->Fill(3);
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    QSignalSpy changed(m_f->view->model(), &QAbstractItemModel::dataChanged);
    m_f->controller->SetFileInfo(Info("/nowhere", 1));
    m_f->controller->SetFileInfoFailed("/nowhere");
    m_f->controller->SetFileInfo(nullptr);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_log, QStringList());
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::fileInfoWhileObserversChangeTheList()
{
    // The walk goes on from the row after the one just updated, over the list
    // as the observers left it.
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    for (const char* path : { "/a", "/b", "/a", "/a", "/c" })
        m_f->controller->AddFile(ioPath(path), -1, false);

    int updates = 0;
    observer.onChanged = [&] {
        observer.onChanged = nullptr;
        // Above the walk: the new "/a" is never visited, the first one is visited again.
        m_f->controller->AddFile(ioPath("/a"), 0, false);
        // Ahead of the walk: renamed rows are found, removed ones are not.
        PlaylistItemData renamed = m_f->Record(5);
        renamed.SetFilename("/a");
        QVERIFY(m_f->controller->UpdateFile(renamed));
        m_f->controller->DeleteFile(4);
    };
    QObject::connect(
        m_f->view->model(), &QAbstractItemModel::dataChanged, [&](const QModelIndex& index) {
            if (m_f->Record(index.row()).GetInfo())
                ++updates;
        });
    const InfoPtr info = Info("/a", 3);
    m_f->controller->SetFileInfo(info);

    QCOMPARE(m_f->Paths(), QStringList({ "/a", "/a", "/b", "/a", "/a" }));
    QList<int> withInfo;
    for (int row = 0; row < m_f->controller->GetItemCount(); ++row) {
        if (m_f->Record(row).GetInfo() == info)
            withInfo << row;
    }
    QCOMPARE(withInfo, QList<int>({ 1, 3, 4 }));
    QCOMPARE(updates, 4);
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistController::fileInfoAfterRandomEdits()
{
    // Information must reach exactly the entries of its path, whatever
    // happened to the list before.
    std::mt19937 random(12345);
    const auto pick = [&random](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    const auto pathOf = [&](int n) { return "/" + std::to_string(n); };
    for (int round = 0; round < 300; ++round) {
        const int count = m_f->controller->GetItemCount();
        switch (pick(7)) {
        case 0:
        case 1:
            m_f->controller->AddFile(ioPath(pathOf(pick(6))), -1, false);
            break;
        case 2:
            m_f->controller->AddFile(ioPath(pathOf(pick(6))), pick(count + 1), false);
            break;
        case 3:
            m_f->controller->DeleteFile(pick(count + 1));
            break;
        case 4:
            if (count > 0) {
                PlaylistItemData record = m_f->Record(pick(count));
                record.SetFilename(pathOf(pick(6)));
                m_f->controller->UpdateFile(record);
            }
            break;
        case 5:
            if (pick(10) == 0)
                m_f->controller->Clear();
            break;
        default:
            break;
        }
        const std::string path = pathOf(pick(6));
        const InfoPtr info = Info(path, round);
        m_f->controller->SetFileInfo(info);
        for (int row = 0; row < m_f->controller->GetItemCount(); ++row) {
            const PlaylistItemData record = m_f->Record(row);
            if (record.GetFilename().utf8string() == path)
                QCOMPARE(record.GetInfo(), info);
            else
                QVERIFY(record.GetInfo() != info);
        }
    }
}

void tst_PlaylistController::logLines()
{
    CapturingSink sink;
    google::AddLogSink(&sink);
    m_f->controller->SetFileInfo(Info("/media/clip one.mkv", 3723500000));
    m_f->controller->SetFileInfoFailed("/media/broken.avi");
    google::RemoveLogSink(&sink);

    QCOMPARE(sink.lines.size(), std::size_t(2));
    const std::string texts[] = {
        "Media source info is received for file [/media/clip one.mkv]; the duration of this "
        "file is 1:02:03.500000",
        "Media source info extraction failed for file [/media/broken.avi]",
    };
    for (std::size_t i = 0; i < 2; ++i) {
        QCOMPARE(sink.lines[i].severity, google::GLOG_INFO);
        QCOMPARE(sink.lines[i].fullFilename, std::string("Gui/Reelkit/PlaylistController.cpp"));
        QCOMPARE(sink.lines[i].baseFilename, std::string("PlaylistController.cpp"));
        QCOMPARE(sink.lines[i].text, texts[i]);
    }

    // Flushed at once: the INFO log file already holds both lines.
    QFile file(m_logDir.filePath("tst_playlistcontroller.INFO"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray logged = file.readAll();
    for (const std::string& text : texts)
        QVERIFY(logged.contains(QByteArray::fromStdString(text)));
    QVERIFY(logged.contains("PlaylistController.cpp:"));
}

void tst_PlaylistController::serialize()
{
    const Property empty = m_f->controller->Serialize();
    QCOMPARE(empty, Tree({}));
    QCOMPARE(empty.GetName(), std::string("playlist"));
    QVERIFY(empty.IsArrayType());

    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    PlaylistItemData record = m_f->Record(2);
    record.SetSelectedAudioStream(1);
    record.SetSelectedVideoStream(0);
    QVERIFY(m_f->controller->UpdateFile(record));
    m_f->controller->SetFileInfo(Info("/0", 100));

    const Property tree = m_f->controller->Serialize();
    QCOMPARE(tree,
        Tree({ Entry("/0", -1, -1, false), Entry("/1", -1, -1, true), Entry("/2", 1, 0, false) }));
    // The keys in their order, the active mark a boolean.
    const Property& active = tree[1u];
    QCOMPARE(active.Count(), 4u);
    QCOMPARE(active[0u].GetName(), std::string("filename"));
    QCOMPARE(active[1u].GetName(), std::string("audiostream"));
    QCOMPARE(active[2u].GetName(), std::string("videostream"));
    QCOMPARE(active[3u].GetName(), std::string("active"));
    QCOMPARE(active[3u].GetType(), Property::Type::Bool);
    QCOMPARE(active[1u].GetType(), Property::Type::Int64);
}

void tst_PlaylistController::deserializeRoundTrip()
{
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    PlaylistItemData record = m_f->Record(0);
    record.SetSelectedAudioStream(2);
    QVERIFY(m_f->controller->UpdateFile(record));
    Property tree = m_f->controller->Serialize();

    ControllerFixture other;
    RecordingObserver observer(&m_log, QString());
    other.controller->AddEventObserver(&observer);
    QCOMPARE(other.controller->Deserialize(tree), 3);
    QCOMPARE(other.Paths(), QStringList({ "/0", "/1", "/2" }));
    QCOMPARE(other.ActiveRow(), 1);
    QCOMPARE(other.FlaggedRows(), QList<int>({ 1 }));
    QCOMPARE(other.Record(0).GetSelectedAudioStream(), 2);
    QCOMPARE(other.Record(0).GetSelectedVideoStream(), -1);
    QCOMPARE(other.controller->Serialize(), tree);
    QCOMPARE(m_log.filter("active"), QStringList({ "active 1" }));
    QCOMPARE(m_log.last(), QString("rewind 3"));
    other.controller->RemoveEventObserver(&observer);

    Property empty = m_f->controller->Serialize();
    empty.RemoveChildren();
    QCOMPARE(other.controller->Deserialize(empty), 3);
}

void tst_PlaylistController::deserializeThroughText()
{
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(0));
    std::string text;
    Tarvos::Core::PropertySerializer::Serialize(
        m_f->controller->Serialize(), Tarvos::io::DataOutputString::Create(&text), true);
    Property tree;
    QVERIFY(Tarvos::Core::PropertySerializer::Deserialize(
        tree, Tarvos::io::DataInputString::Create(&text), true));

    ControllerFixture other;
    QCOMPARE(other.controller->Deserialize(tree), 2);
    QCOMPARE(other.Paths(), QStringList({ "/0", "/1" }));
    QCOMPARE(other.ActiveRow(), 0);
}

void tst_PlaylistController::deserializeOddEntries()
{
    Property noName;
    noName.SetChild("audiostream", 1);
    noName.SetChild("active", true);
    Property falseActive;
    falseActive.SetChild("filename", "/marked");
    falseActive.SetChild("active", false);
    Property noStreams;
    noStreams.SetChild("filename", "/plain");
    Property wrongTypes;
    wrongTypes.SetChild("filename", 42);
    wrongTypes.SetChild("audiostream", "7");
    wrongTypes.SetChild("videostream", "seven");
    Property cut;
    cut.SetChild("filename", "/cut");
    cut.SetChild("audiostream", (std::int64_t(1) << 32) + 5);
    cut.SetChild("videostream", true);
    Property nested;
    nested.SetChild("filename", "/nested").SetChild("filename", "/inner");
    nested.SetChild("x", "y").Add(Entry("/deeper", 1, 1, true));

    Property tree("anything");
    for (const Property* entry : { &noName, &falseActive, &noStreams, &wrongTypes, &cut, &nested })
        tree.Add(*entry);
    const Property copy = tree;
    QCOMPARE(m_f->controller->Deserialize(tree), 5);
    // The tree is only read.
    QCOMPARE(tree, copy);
    QCOMPARE(m_f->Paths(), QStringList({ "/marked", "/plain", "42", "/cut", "/nested" }));
    QCOMPARE(m_f->ActiveRow(), 0);
    QCOMPARE(m_f->Record(1).GetSelectedAudioStream(), -1);
    QCOMPARE(m_f->Record(1).GetSelectedVideoStream(), -1);
    QCOMPARE(m_f->Record(2).GetSelectedAudioStream(), 7);
    QCOMPARE(m_f->Record(2).GetSelectedVideoStream(), 0);
    QCOMPARE(m_f->Record(3).GetSelectedAudioStream(), 5);
    QCOMPARE(m_f->Record(3).GetSelectedVideoStream(), 1);

    // Several marked entries: the last one wins.
    Property twice = Tree({ Entry("/x", -1, -1, true), Entry("/y", -1, -1, true) });
    QCOMPARE(m_f->controller->Deserialize(twice), 7);
    QCOMPARE(m_f->ActiveRow(), 6);
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 6 }));
}

void tst_PlaylistController::deserializeAppends()
{
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(0));
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    Property tree = Tree({ Entry("/x", -1, -1, false), Entry("/y", -1, -1, false) });
    QCOMPARE(m_f->controller->Deserialize(tree), 4);
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/1", "/x", "/y" }));
    QCOMPARE(m_f->ActiveRow(), 0);
    // The new entries joined the shuffle cycle under way.
    QList<int> rows;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByStrategy));
        rows << m_f->ActiveRow();
    }
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, QList<int>({ 1, 2, 3 }));
}

void tst_PlaylistController::deserializeDvdPath()
{
    Property tree = Tree({ Entry("dvd://E:/:title=2", -1, -1, false) });
    QCOMPARE(m_f->controller->Deserialize(tree), 1);
    QVERIFY(!m_f->Record(0).IsDVD());
    QCOMPARE(m_f->Record(0).GetName(), std::string("dvd://E:/:title=2"));
}

void tst_PlaylistController::deserializeArbitraryTrees()
{
    std::mt19937 random(777);
    const std::string names[]
        = { "filename", "active", "audiostream", "videostream", "", "playlist", "x" };
    std::function<Property(int)> make = [&](int depth) {
        Property node(names[random() % 7]);
        switch (random() % 5) {
        case 0:
            node = std::string("/file") + std::to_string(random() % 4);
            break;
        case 1:
            node = static_cast<std::int64_t>(random()) - (std::int64_t(1) << 31);
            break;
        case 2:
            node = random() % 2 == 0;
            break;
        case 3:
            node = Property::Ratio(1 + random() % 5, 1 + random() % 7);
            break;
        default:
            break;
        }
        node.SetArrayType(random() % 2 == 0);
        const int children = depth > 0 ? static_cast<int>(random() % 5) : 0;
        for (int i = 0; i < children; ++i)
            node.Add(make(depth - 1));
        return node;
    };

    int expected = 0;
    for (int round = 0; round < 200; ++round) {
        Property tree = make(1 + static_cast<int>(random() % 4));
        for (unsigned i = 0; i < tree.Count(); ++i)
            expected += tree[i].ChildExists("filename") ? 1 : 0;
        QCOMPARE(m_f->controller->Deserialize(tree), expected);
    }
    QVERIFY(expected > 50);
}

QTEST_MAIN(tst_PlaylistController)
#include "tst_playlistcontroller.moc"
