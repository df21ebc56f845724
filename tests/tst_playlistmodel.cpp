#include "Gui/Reelkit/IPlaylistModelEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"

#include <QtTest>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistModel;

namespace {

PlaylistItemData Record(const QModelIndex& index)
{
    return index.data(Qt::DisplayRole).value<PlaylistItemData>();
}

} // namespace

class tst_PlaylistModel : public QObject, Tarvos::Gui::IPlaylistModelEventObserver
{
    Q_OBJECT

    // Logs the paths the observers find on each notification.
    void OnPlaylistModelChanged() override { m_log << Paths().join(' '); }

private slots:
    void init();
    void cleanup();
    void insertItem();
    void records();
    void bulkEdits();

private:
    void Fill(const QStringList& paths);
    QStringList Paths() const;

    struct Model : PlaylistModel
    {
        using PlaylistModel::persistentIndexList;
    };
    std::unique_ptr<Model> m_model;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
};

void tst_PlaylistModel::init()
{
    m_model = std::make_unique<Model>();
    m_tester = std::make_unique<PlaylistModelTester>(m_model.get());
    m_model->AddObserver(this);
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
    const QPersistentModelIndex index = m_model->InsertItem(PlaylistItemData(ioPath("/a")), -1);
    QCOMPARE(m_log, QStringList({ "", "/a" }));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(), QVector<int>());
    QCOMPARE(index, QPersistentModelIndex(m_model->index(0, 0)));

    for (const auto& [path, row] :
        { std::pair("/b", -1), std::pair("/c", 0), std::pair("/d", 2), std::pair("/e", 4) })
        QCOMPARE(m_model->InsertItem(PlaylistItemData(ioPath(path)), row).row(), row < 0 ? 1 : row);
    QCOMPARE(Paths(), QStringList({ "/c", "/a", "/d", "/b", "/e" }));
    QCOMPARE(index.row(), 1);
    // Each stored copy knows its current row, also after rows moved below it.
    for (int row = 0; row < m_model->rowCount(); ++row)
        QCOMPARE(Record(m_model->index(row, 0)).GetIndex().row(), row);

    // Rows outside the list are refused without a notification.
    m_log.clear();
    for (const int row : { 6, -2 })
        QVERIFY(!m_model->InsertItem(PlaylistItemData(ioPath("/x")), row).isValid());
    QVERIFY(!m_model->insertRows(0, 0));
    QCOMPARE(m_model->rowCount(), 5);
    QVERIFY(m_log.isEmpty());
}

void tst_PlaylistModel::records()
{
    Fill({ "/a", "/b", "/c" });
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    const QPersistentModelIndex index = m_model->index(2, 0);
    QVERIFY(!index.data(Qt::EditRole).isValid());
    m_model->removeRow(0);
    m_log.clear();

    // The whole record is replaced, whatever the role; the row followed.
    PlaylistItemData item(ioPath("/new"));
    item.SetActive(true);
    m_model->UpdateItem(index, item);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), QModelIndex(index));
    QCOMPARE(m_log, QStringList { "/b /new" });
    QVERIFY(Record(index).GetActive());
    QCOMPARE(Record(index).GetIndex(), index);

    // A value of another type stores an empty record.
    QVERIFY(m_model->setData(index, QStringLiteral("/b"), Qt::EditRole));
    QVERIFY(Record(index).GetFilename().empty() && !Record(index).GetActive());

    // Stored rows hold no persistent index of their own: Qt visits every live
    // one on each row removal, which would make deleting a selection row by
    // row quadratic.
    QVERIFY(m_model->setData(index, QVariant::fromValue(Record(m_model->index(0, 0)))));
    QCOMPARE(m_model->persistentIndexList(), QModelIndexList { index });

    // A row that has gone is not written, and nobody is told.
    m_model->removeRow(1);
    m_log.clear();
    m_model->UpdateItem(index, PlaylistItemData(ioPath("/x")));
    QCOMPARE(Paths(), QStringList({ "/b" }));
    QVERIFY(m_log.isEmpty());

    // An index of another model with a row that exists here is not ours.
    PlaylistModel other;
    other.InsertItem(PlaylistItemData(ioPath("/other")), -1);
    QVERIFY(!m_model->setData(other.index(0, 0), QVariant()));

    // Past the end, before the start, nothing: refused untold; else clipped.
    Fill({ "/1", "/2", "/3", "/4" });
    for (const auto& [row, count] : { std::pair(5, 1), std::pair(-1, 2), std::pair(2, 0) })
        QVERIFY(!m_model->removeRows(row, count));
    QCOMPARE(m_log, QStringList());
    QVERIFY(m_model->removeRows(2, 1000));
    QVERIFY(m_model->insertRows(2, 1));
    QCOMPARE(m_log, QStringList({ "/b /1", "/b /1 " }));
}

void tst_PlaylistModel::bulkEdits()
{
    Fill({ "/a", "/b", "/c", "/d" });
    const QPersistentModelIndex c = m_model->index(2, 0);
    // Refused untold: no permutation, rows missing, nothing or nowhere to insert.
    QVERIFY(!m_model->Reorder({ 0, 1, 1, 3 }) && !m_model->Reorder({ 0, 1, 2 }));
    QVERIFY(m_model->TakeItems(3, 2).empty() && !m_model->InsertItems({}, 0));
    QVERIFY(!m_model->InsertItems({ PlaylistItemData() }, 5));
    QVERIFY(m_log.isEmpty());
    QVERIFY(m_model->Reorder({ 3, 2, 0, 1 }));
    QCOMPARE(c.row(), 1);
    std::vector<PlaylistItemData> taken = m_model->TakeItems(1, 2);
    QVERIFY(!c.isValid());
    QVERIFY(m_model->InsertItems(std::move(taken), -1));
    QCOMPARE(m_log, QStringList({ "/d /c /a /b", "/d /b", "/d /b /c /a" }));
}

QTEST_GUILESS_MAIN(tst_PlaylistModel)
#include "tst_playlistmodel.moc"
