#include "Gui/Reelkit/IPlaylistModelEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"
#include "host/DataInputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QMimeData>
#include <QtTest>
#include <functional>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::IPlaylistModelEventObserver;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistModel;

namespace {

// Records every notification, tagged with its own name, into a shared log.
class Observer final : public IPlaylistModelEventObserver
{
public:
    Observer(QStringList* log, QString name)
        : m_log(log)
        , m_name(std::move(name))
    {}
    void OnPlaylistModelChanged() override
    {
        *m_log << m_name;
        if (onChanged)
            onChanged();
    }
    std::function<void()> onChanged;

private:
    QStringList* m_log;
    QString m_name;
};

PlaylistItemData Record(const QModelIndex& index)
{
    return index.data(Qt::DisplayRole).value<PlaylistItemData>();
}

QString Path(const QModelIndex& index)
{
    return QString::fromStdString(Record(index).GetName());
}

} // namespace

class tst_PlaylistModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void insertItemNotifiesTwice();
    void insertItemAtRows();
    void insertItemOutOfRange();
    void dataOnlyForDisplayRole();
    void setDataReplacesTheWholeRecord_data();
    void setDataReplacesTheWholeRecord();
    void setDataOfAnotherType();
    void setDataRejectsInvalidIndexes();
    void updateItem();
    void flagsAndActions();
    void removeRowsClipsToTheList_data();
    void removeRowsClipsToTheList();
    void storedRowsHoldNoPersistentIndex();
    void observersInRegistrationOrder();
    void observerAddedDuringANotification();
    void dragPayload();
    void dragPayloadOfNoRows();

private:
    void Fill(const QStringList& paths);

    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
};

void tst_PlaylistModel::init()
{
    m_log.clear();
    m_model = std::make_unique<PlaylistModel>();
    m_tester = std::make_unique<PlaylistModelTester>(m_model.get());
}

void tst_PlaylistModel::cleanup()
{
    m_tester.reset();
    m_model.reset();
}

void tst_PlaylistModel::Fill(const QStringList& paths)
{
    for (const QString& path : paths)
        m_model->InsertItem(PlaylistItemData(ioPath(path.toStdString())), -1);
}

void tst_PlaylistModel::insertItemNotifiesTwice()
{
    Observer observer(&m_log, "o");
    m_model->AddObserver(&observer);
    QSignalSpy inserted(m_model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);

    // The empty row is announced first, then the stored record.
    QList<int> rowCountsSeen;
    observer.onChanged = [&] { rowCountsSeen << m_model->rowCount(); };
    const QPersistentModelIndex index = m_model->InsertItem(PlaylistItemData(ioPath("/a.mkv")), -1);
    QCOMPARE(m_log, QStringList({ "o", "o" }));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(), QVector<int>());
    QCOMPARE(index, QPersistentModelIndex(m_model->index(0, 0)));
    QCOMPARE(Path(index), QString("/a.mkv"));
    QCOMPARE(Record(index).GetIndex(), index);
}

void tst_PlaylistModel::insertItemAtRows()
{
    Fill({ "/a", "/b" });
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/c")), 0).row(), 0);
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/d")), 2).row(), 2);
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/e")), 4).row(), 4);
    QStringList paths;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        paths << Path(m_model->index(row, 0));
        // Each stored copy knows its current row, also after rows moved below it.
        QCOMPARE(Record(m_model->index(row, 0)).GetIndex().row(), row);
    }
    QCOMPARE(paths, QStringList({ "/c", "/a", "/d", "/b", "/e" }));
}

void tst_PlaylistModel::insertItemOutOfRange()
{
    Fill({ "/a" });
    Observer observer(&m_log, "o");
    m_model->AddObserver(&observer);
    QVERIFY(!m_model->InsertItem(PlaylistItemData(ioPath("/x")), 2).isValid());
    QVERIFY(!m_model->InsertItem(PlaylistItemData(ioPath("/x")), -2).isValid());
    QVERIFY(!m_model->insertRows(0, 0));
    QCOMPARE(m_model->rowCount(), 1);
    QVERIFY(m_log.isEmpty());
}

void tst_PlaylistModel::dataOnlyForDisplayRole()
{
    Fill({ "/a" });
    const QModelIndex index = m_model->index(0, 0);
    QVERIFY(index.data(Qt::DisplayRole).canConvert<PlaylistItemData>());
    for (const int role :
        { int(Qt::EditRole), int(Qt::DecorationRole), int(Qt::ToolTipRole), int(Qt::UserRole) })
        QVERIFY(!index.data(role).isValid());
    QVERIFY(!m_model->data(QModelIndex(), Qt::DisplayRole).isValid());
    QVERIFY(!m_model->headerData(0, Qt::Horizontal, Qt::DisplayRole).isValid());
    QVERIFY(!m_model->headerData(0, Qt::Vertical, Qt::DisplayRole).isValid());

    // An index of another model with a row that exists here is not ours.
    PlaylistModel other;
    other.InsertItem(PlaylistItemData(ioPath("/other")), -1);
    QVERIFY(!m_model->data(other.index(0, 0), Qt::DisplayRole).isValid());
    QVERIFY(!m_model->setData(other.index(0, 0), QVariant(), Qt::EditRole));
}

void tst_PlaylistModel::setDataReplacesTheWholeRecord_data()
{
    QTest::addColumn<int>("role");
    QTest::newRow("edit") << int(Qt::EditRole);
    QTest::newRow("display") << int(Qt::DisplayRole);
    QTest::newRow("user") << int(Qt::UserRole + 7);
}

void tst_PlaylistModel::setDataReplacesTheWholeRecord()
{
    QFETCH(int, role);
    Fill({ "/a", "/b" });
    Observer observer(&m_log, "o");
    m_model->AddObserver(&observer);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);

    PlaylistItemData item(ioPath("/new"));
    item.SetActive(true);
    item.SetSelectedAudioStream(3);
    const QModelIndex index = m_model->index(1, 0);
    QVERIFY(m_model->setData(index, QVariant::fromValue(item), role));

    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), index);
    QCOMPARE(changed.at(0).at(1).toModelIndex(), index);
    QCOMPARE(m_log, QStringList { "o" });
    const PlaylistItemData stored = Record(index);
    QCOMPARE(stored.GetName(), std::string("/new"));
    QVERIFY(stored.GetActive());
    QCOMPARE(stored.GetSelectedAudioStream(), 3);
    QCOMPARE(stored.GetIndex(), QPersistentModelIndex(index));
    QCOMPARE(Path(m_model->index(0, 0)), QString("/a"));
}

void tst_PlaylistModel::setDataOfAnotherType()
{
    Fill({ "/a" });
    PlaylistItemData item(ioPath("/a"));
    item.SetActive(true);
    m_model->UpdateItem(m_model->index(0, 0), item);
    QVERIFY(m_model->setData(m_model->index(0, 0), QStringLiteral("/b"), Qt::EditRole));
    const PlaylistItemData stored = Record(m_model->index(0, 0));
    QVERIFY(stored.GetFilename().empty());
    QVERIFY(!stored.GetActive());
    QCOMPARE(stored.GetIndex().row(), 0);
}

void tst_PlaylistModel::setDataRejectsInvalidIndexes()
{
    Fill({ "/a" });
    Observer observer(&m_log, "o");
    m_model->AddObserver(&observer);
    QVERIFY(!m_model->setData(QModelIndex(), QVariant::fromValue(PlaylistItemData())));
    const QPersistentModelIndex removed = m_model->index(0, 0);
    m_model->removeRow(0);
    m_log.clear();
    m_model->UpdateItem(removed, PlaylistItemData(ioPath("/x")));
    QCOMPARE(m_model->rowCount(), 0);
    QVERIFY(m_log.isEmpty());
}

void tst_PlaylistModel::updateItem()
{
    Fill({ "/a", "/b", "/c" });
    const QPersistentModelIndex index = m_model->index(2, 0);
    m_model->removeRow(0);
    PlaylistItemData item = Record(index);
    item.SetValid(false);
    m_model->UpdateItem(index, item);
    QCOMPARE(index.row(), 1);
    QVERIFY(!Record(m_model->index(1, 0)).IsValid());
    QCOMPARE(Path(m_model->index(1, 0)), QString("/c"));
    QVERIFY(Record(m_model->index(0, 0)).IsValid());
}

void tst_PlaylistModel::flagsAndActions()
{
    Fill({ "/a" });
    QCOMPARE(m_model->flags(QModelIndex()), Qt::ItemFlags(Qt::ItemIsEnabled));
    const Qt::ItemFlags flags = m_model->flags(m_model->index(0, 0));
    QCOMPARE(flags
            & (Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled | Qt::ItemIsEnabled
                | Qt::ItemIsSelectable),
        Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    QVERIFY(!(flags & Qt::ItemIsEditable));
    QCOMPARE(m_model->supportedDragActions(), Qt::CopyAction | Qt::MoveAction);
    QCOMPARE(m_model->mimeTypes(), QStringList { "application/x-tarvos-files" });
}

void tst_PlaylistModel::removeRowsClipsToTheList_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("left");
    const QStringList all { "/0", "/1", "/2", "/3", "/4", "/5" };
    QTest::newRow("last row and beyond") << 5 << 2 << true << QStringList(all.mid(0, 5));
    QTest::newRow("middle") << 1 << 2 << true << QStringList({ "/0", "/3", "/4", "/5" });
    QTest::newRow("everything") << 0 << 6 << true << QStringList();
    QTest::newRow("far too many") << 2 << 1000 << true << QStringList(all.mid(0, 2));
    QTest::newRow("past the end") << 6 << 1 << false << all;
    QTest::newRow("negative row") << -1 << 2 << false << all;
    QTest::newRow("no rows") << 2 << 0 << false << all;
}

void tst_PlaylistModel::removeRowsClipsToTheList()
{
    QFETCH(int, row);
    QFETCH(int, count);
    QFETCH(bool, result);
    QFETCH(QStringList, left);
    Fill({ "/0", "/1", "/2", "/3", "/4", "/5" });
    Observer observer(&m_log, "o");
    m_model->AddObserver(&observer);
    QCOMPARE(m_model->removeRows(row, count), result);
    QStringList paths;
    for (int i = 0; i < m_model->rowCount(); ++i)
        paths << Path(m_model->index(i, 0));
    QCOMPARE(paths, left);
    QCOMPARE(m_log.size(), result ? 1 : 0);
}

void tst_PlaylistModel::storedRowsHoldNoPersistentIndex()
{
    // Qt visits every live persistent index on each row removal; rows that
    // held their own would make deleting a selection row by row quadratic.
    class ExposedModel : public PlaylistModel
    {
    public:
        using PlaylistModel::persistentIndexList;
    } model;
    for (const char* path : { "/a", "/b", "/c" })
        model.InsertItem(PlaylistItemData(ioPath(path)), -1);
    PlaylistItemData read = Record(model.index(1, 0));
    QVERIFY(model.setData(model.index(2, 0), QVariant::fromValue(read)));
    QCOMPARE(model.persistentIndexList(), QModelIndexList { model.index(1, 0) });

    // A record read out still follows its row.
    model.removeRows(0, 1);
    QCOMPARE(read.GetIndex().row(), 0);
    QCOMPARE(Record(model.index(1, 0)).GetIndex(), QPersistentModelIndex(model.index(1, 0)));
}

void tst_PlaylistModel::observersInRegistrationOrder()
{
    Observer first(&m_log, "first");
    Observer second(&m_log, "second");
    m_model->AddObserver(&first);
    m_model->AddObserver(&second);
    m_model->AddObserver(&first);
    m_model->AddObserver(nullptr);
    Fill({ "/a" });
    QCOMPARE(m_log, QStringList({ "first", "second", "first", "second" }));
}

void tst_PlaylistModel::observerAddedDuringANotification()
{
    Observer first(&m_log, "first");
    Observer late(&m_log, "late");
    first.onChanged = [&] { m_model->AddObserver(&late); };
    m_model->AddObserver(&first);
    m_model->insertRows(0, 1);
    QCOMPARE(m_log, QStringList { "first" });
    m_model->removeRows(0, 1);
    QCOMPARE(m_log, QStringList({ "first", "first", "late" }));
}

void tst_PlaylistModel::dragPayload()
{
    Fill({ "/films/zero.mkv", "/films/one.mkv", "/films/twö.mkv", "/films/three.mkv" });
    PlaylistItemData active = Record(m_model->index(2, 0));
    active.SetActive(true);
    m_model->UpdateItem(m_model->index(2, 0), active);

    const std::unique_ptr<QMimeData> mime(
        m_model->mimeData({ m_model->index(3, 0), m_model->index(0, 0), m_model->index(2, 0) }));
    QVERIFY(mime);
    QCOMPARE(mime->formats(), QStringList { "application/x-tarvos-files" });
    const QByteArray bytes = mime->data("application/x-tarvos-files");
    QVERIFY(!bytes.contains('\0'));

    const std::string text = bytes.toStdString();
    Property tree;
    QVERIFY(Tarvos::Core::PropertySerializer::Deserialize(
        tree, Tarvos::io::DataInputString::Create(&text), true));
    QCOMPARE(tree.GetName(), std::string("drugs"));
    QVERIFY(tree.IsArrayType());
    QCOMPARE(tree.Count(), 3u);
    QCOMPARE(tree[0u].GetString(), std::string("/films/zero.mkv"));
    QCOMPARE(tree[1u].GetString(), std::string("*/films/twö.mkv"));
    QCOMPARE(tree[2u].GetString(), std::string("/films/three.mkv"));
    for (unsigned i = 0; i < tree.Count(); ++i)
        QCOMPARE(tree[i].GetName(), std::string());
}

void tst_PlaylistModel::dragPayloadOfNoRows()
{
    const std::unique_ptr<QMimeData> mime(m_model->mimeData({ QModelIndex() }));
    const std::string text = mime->data("application/x-tarvos-files").toStdString();
    Property tree;
    QVERIFY(Tarvos::Core::PropertySerializer::Deserialize(
        tree, Tarvos::io::DataInputString::Create(&text), true));
    QCOMPARE(tree.Count(), 0u);
}

QTEST_GUILESS_MAIN(tst_PlaylistModel)
#include "tst_playlistmodel.moc"
