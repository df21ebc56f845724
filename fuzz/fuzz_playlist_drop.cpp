// Drops arbitrary bytes as a playlist-row payload onto a list, the way another
// process could, with or without URLs beside it (the first byte decides; the
// URLs are the first line's space-separated words). Every row the payload
// announces must be a non-empty text, URLs may announce empty paths (not local
// files), and the list must never hold more rows than the drop announced.
#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <cstdlib>

using namespace Tarvos;

namespace {

// Inserts what is dropped, as the playlist's controller and host do.
class Inserter final : public Gui::IPlaylistWidgetEventObserver
{
public:
    explicit Inserter(Gui::PlaylistModel* model)
        : m_model(model)
    {}
    void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex&) override {}
    void OnPlaylistWidgetKeyPress(int) override {}
    void OnFileDropped(const std::string& path, int row) override
    {
        // A URL that is no local file arrives as an empty path: the host's to refuse.
        if (path.empty() && urlDrop)
            return;
        Insert(path, row);
    }
    void OnActiveFileDropped(const std::string& path, int row) override { Insert(path, row); }
    void OnPlaylistWidgetAudioTrackSelected(QPersistentModelIndex, unsigned int) override {}
    void OnPlaylistWidgetVideoTrackSelected(QPersistentModelIndex, unsigned int) override {}

    bool urlDrop = false;

private:
    void Insert(const std::string& path, int row)
    {
        if (path.empty() || row < 0 || row > m_model->rowCount())
            std::abort();
        m_model->InsertItem(Gui::PlaylistItemData(ioPath(path)), row);
    }

    Gui::PlaylistModel* m_model;
};

struct Fixture
{
    Fixture()
    {
        view.resize(200, 200);
        view.setAcceptDrops(true);
        view.setModel(&model);
        view.AddEventObserver(&inserter);
        view.show();
    }

    Gui::PlaylistListView view;
    Gui::PlaylistModel model;
    Inserter inserter { &model };
};

Fixture* fixture = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    fixture = new Fixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fixture->model.removeRows(0, fixture->model.rowCount());
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QMimeData mime;
    const bool withUrls = !bytes.isEmpty() && (bytes.at(0) & 1) != 0;
    fixture->inserter.urlDrop = withUrls;
    if (withUrls) {
        const int lineEnd = bytes.indexOf('\n');
        QList<QUrl> urls;
        for (const QByteArray& word : bytes.mid(1, lineEnd < 0 ? -1 : lineEnd - 1).split(' '))
            urls << QUrl(QString::fromUtf8(word));
        mime.setUrls(urls);
        bytes = lineEnd < 0 ? QByteArray() : bytes.mid(lineEnd + 1);
    }
    mime.setData(Gui::PlaylistModel::MimeType, bytes);
    QWidget* viewport = fixture->view.viewport();
    const QPoint position(20, 20);
    QDragEnterEvent enter(position, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(position, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(position, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    // Without URLs: nothing announced, nothing accepted. URLs are always taken.
    if (!withUrls && drop.isAccepted() != (fixture->model.rowCount() > 0))
        std::abort();
    if (withUrls && fixture->model.rowCount() > mime.urls().size())
        std::abort();
    return 0;
}
