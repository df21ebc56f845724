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
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistModel;

namespace {

// Logs its name into a shared log on each notification, then runs onChanged.
class Observer final : public Tarvos::Gui::IPlaylistModelEventObserver
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

} // namespace

class tst_PlaylistModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void insertItem();
    void records();
    void updateItem();
    void removeRowsClipsToTheList();
    void storedRowsHoldNoPersistentIndex();
    void observers();
    void dragPayload();

private:
    void Fill(const QStringList& paths);
    QStringList Paths() const;

    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
    // Registered first; logs as "o".
    Observer m_observer { &m_log, "o" };
};

void tst_PlaylistModel::init()
{
    m_log.clear();
    m_observer.onChanged = nullptr;
    m_model = std::make_unique<PlaylistModel>();
    m_tester = std::make_unique<PlaylistModelTester>(m_model.get());
    m_model->AddObserver(&m_observer);
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
    m_log.clear();
}

QStringList tst_PlaylistModel::Paths() const
{
    QStringList paths;
    for (int row = 0; row < m_model->rowCount(); ++row)
        paths << QString::fromStdString(Record(m_model->index(row, 0)).GetName());
    return paths;
}

void tst_PlaylistModel::insertItem()
{
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    // The empty row is announced first, then the stored record.
    QStringList pathsSeen;
    m_observer.onChanged = [&] { pathsSeen << Paths(); };
    const QPersistentModelIndex index = m_model->InsertItem(PlaylistItemData(ioPath("/a")), -1);
    QCOMPARE(pathsSeen, QStringList({ "", "/a" }));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(), QVector<int>());
    QCOMPARE(index, QPersistentModelIndex(m_model->index(0, 0)));

    m_observer.onChanged = nullptr;
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/b")), -1).row(), 1);
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/c")), 0).row(), 0);
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/d")), 2).row(), 2);
    QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath("/e")), 4).row(), 4);
    QCOMPARE(Paths(), QStringList({ "/c", "/a", "/d", "/b", "/e" }));
    // Persistent indexes follow their rows.
    QCOMPARE(index.row(), 1);
    // Each stored copy knows its current row, also after rows moved below it.
    for (int row = 0; row < m_model->rowCount(); ++row)
        QCOMPARE(Record(m_model->index(row, 0)).GetIndex().row(), row);

    // Rows outside the list are refused without a notification.
    m_log.clear();
    QVERIFY(!m_model->InsertItem(PlaylistItemData(ioPath("/x")), 6).isValid());
    QVERIFY(!m_model->InsertItem(PlaylistItemData(ioPath("/x")), -2).isValid());
    QCOMPARE(m_model->rowCount(), 5);
    QVERIFY(m_log.isEmpty());
}

void tst_PlaylistModel::records()
{
    Fill({ "/a", "/b" });
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    const QModelIndex index = m_model->index(1, 0);
    QVERIFY(!index.data(Qt::EditRole).isValid());

    // The whole record is replaced, whatever the role.
    PlaylistItemData item(ioPath("/new"));
    item.SetActive(true);
    QVERIFY(m_model->setData(index, QVariant::fromValue(item), Qt::EditRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), index);
    QCOMPARE(m_log, QStringList { "o" });
    QCOMPARE(Paths(), QStringList({ "/a", "/new" }));
    QVERIFY(Record(index).GetActive());
    QCOMPARE(Record(index).GetIndex(), QPersistentModelIndex(index));

    // A value of another type stores an empty record.
    QVERIFY(m_model->setData(index, QStringLiteral("/b")));
    QVERIFY(Record(index).GetFilename().empty() && !Record(index).GetActive());

    // An index of another model with a row that exists here is not ours.
    PlaylistModel other;
    other.InsertItem(PlaylistItemData(ioPath("/other")), -1);
    QVERIFY(!m_model->data(other.index(0, 0), Qt::DisplayRole).isValid());
    QVERIFY(!m_model->setData(other.index(0, 0), QVariant()));
}

void tst_PlaylistModel::updateItem()
{
    Fill({ "/a", "/b", "/c" });
    const QPersistentModelIndex index = m_model->index(2, 0);
    m_model->removeRow(0);
    PlaylistItemData item = Record(index);
    item.SetValid(false);
    m_model->UpdateItem(index, item);
    QCOMPARE(Paths(), QStringList({ "/b", "/c" }));
    QVERIFY(Record(m_model->index(0, 0)).IsValid());
    QVERIFY(!Record(m_model->index(1, 0)).IsValid());

    // A row that has gone is not written, and nobody is told.
    m_model->removeRow(1);
    m_log.clear();
    m_model->UpdateItem(index, PlaylistItemData(ioPath("/x")));
    QCOMPARE(Paths(), QStringList({ "/b" }));
    QVERIFY(m_log.isEmpty());
}

void tst_PlaylistModel::removeRowsClipsToTheList()
{
    const QStringList all { "/0", "/1", "/2", "/3", "/4", "/5" };
    Fill(all);
    // Past the end, before the start, nothing: refused untold.
    for (const auto& [row, count] : { std::pair(6, 1), std::pair(-1, 2), std::pair(2, 0) })
        QVERIFY(!m_model->removeRows(row, count));
    QCOMPARE(m_log, QStringList());
    QVERIFY(m_model->removeRows(2, 1000));
    QCOMPARE(Paths(), all.mid(0, 2));
    QCOMPARE(m_log, QStringList { "o" });
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

void tst_PlaylistModel::observers()
{
    Observer first(&m_log, "first");
    Observer second(&m_log, "second");
    Observer late(&m_log, "late");
    // Each is registered once; one registered during a notification hears the
    // next.
    first.onChanged = [&] { m_model->AddObserver(&late); };
    m_model->AddObserver(&first);
    m_model->AddObserver(&second);
    m_model->AddObserver(&first);
    m_model->AddObserver(nullptr);
    m_model->insertRows(0, 1);
    QCOMPARE(m_log, QStringList({ "o", "first", "second" }));
    m_model->removeRows(0, 1);
    QCOMPARE(m_log, QStringList({ "o", "first", "second", "o", "first", "second", "late" }));
}

void tst_PlaylistModel::dragPayload()
{
    Fill({ "/films/zero.mkv", "/films/one.mkv", "/films/twö.mkv", "/films/three.mkv" });
    PlaylistItemData active = Record(m_model->index(2, 0));
    active.SetActive(true);
    m_model->UpdateItem(m_model->index(2, 0), active);
    QCOMPARE(m_model->supportedDragActions(), Qt::CopyAction | Qt::MoveAction);
    QVERIFY(m_model->flags(m_model->index(0, 0)) & Qt::ItemIsDragEnabled);

    // Rows in list order, each once; the playing one marked with "*".
    const std::unique_ptr<QMimeData> mime(m_model->mimeData({ m_model->index(3, 0),
        m_model->index(0, 0), m_model->index(2, 0), m_model->index(0, 0) }));
    QCOMPARE(mime->formats(), m_model->mimeTypes());
    const std::string text = mime->data("application/x-tarvos-files").toStdString();
    Tarvos::Core::Property tree;
    QVERIFY(Tarvos::Core::PropertySerializer::Deserialize(
        tree, Tarvos::io::DataInputString::Create(&text), true));
    QCOMPARE(tree.GetName(), std::string("drugs"));
    QCOMPARE(tree.Count(), 3u);
    QCOMPARE(tree[0u].GetString(), std::string("/films/zero.mkv"));
    QCOMPARE(tree[1u].GetString(), std::string("*/films/twö.mkv"));
    QCOMPARE(tree[2u].GetString(), std::string("/films/three.mkv"));
    for (unsigned i = 0; i < tree.Count(); ++i)
        QCOMPARE(tree[i].GetName(), std::string());
}

QTEST_GUILESS_MAIN(tst_PlaylistModel)
#include "tst_playlistmodel.moc"
