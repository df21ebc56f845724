#include "Gui/Reelkit/PlaylistListView.h"

#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/QtCompat.h"
#include "host/DataInputString.h"
#include "host/FormatTags.h"
#include "host/LocalizationManager.h"
#include "host/MediaSourceInfo.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <boost/format.hpp>

namespace Tarvos::Gui {

namespace {

const char* const FileInformationName = "action_FileInformation";
const char* const VideoTrackName = "VideoTrack";
const char* const AudioTrackName = "AudioTrack";

std::string CodecName(const Core::Property& codecInfo)
{
    return Core::GetLocalizationManager().GetCodecName(
        codecInfo[Conf::IFormatCodec::TAG_CODEC_ID].GetString());
}

bool IsMainStream(const Core::Property& codecInfo)
{
    return codecInfo.ChildExists(Conf::IFormatCodec::TAG_MAIN_STREAM)
        && codecInfo[Conf::IFormatCodec::TAG_MAIN_STREAM].GetBool();
}

// The main stream if there is one, else the first; −1 without streams.
int DefaultStream(const std::vector<std::pair<int, std::string>>& tracks, int mainStream)
{
    if (tracks.empty())
        return -1;
    return mainStream != -1 ? mainStream : tracks.front().first;
}

} // namespace

PlaylistListView::PlaylistListView(QWidget* parent)
    : QListView(parent)
    , m_audioGroup(new QActionGroup(this))
    , m_videoGroup(new QActionGroup(this))
{
    // ShowFileInfo crosses queued connections and signal spies by this name.
    qRegisterMetaType<std::string>("std::string");

    connect(this, &QAbstractItemView::doubleClicked, this, &PlaylistListView::OnDoubleClick);
    connect(this, &QWidget::customContextMenuRequested, this, &PlaylistListView::ShowContextMenu);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(m_audioGroup, &QActionGroup::triggered, this, &PlaylistListView::OnAudioTrackChanged);
    connect(m_videoGroup, &QActionGroup::triggered, this, &PlaylistListView::OnVideoTrackChanged);
}

PlaylistListView::~PlaylistListView()
{
    delete m_contextMenu;
}

void PlaylistListView::AddEventObserver(IPlaylistWidgetEventObserver* observer)
{
    if (observer && !m_observers.contains(observer))
        m_observers.append(observer);
}

void PlaylistListView::RemoveEventObserver(IPlaylistWidgetEventObserver* observer)
{
    m_observers.removeAll(observer);
}

int PlaylistListView::GetSelectedRow() const
{
    const QItemSelectionModel* selection = selectionModel();
    if (!selection)
        return -1;
    // The last of selectedRows(0), found from the end: that list takes each row
    // from the first range that holds it, range by range, rows ascending.
    // Building it whole would make removing the selection row by row quadratic.
    const QItemSelection ranges = selection->selection();
    for (int i = ranges.size() - 1; i >= 0; --i) {
        const QItemSelectionRange& range = ranges.at(i);
        const QModelIndex parent = range.parent();
        int row = range.bottom();
        while (row >= range.top()) {
            const auto earlier = std::find_if(
                ranges.cbegin(), ranges.cbegin() + i, [&](const QItemSelectionRange& other) {
                    return other.parent() == parent && other.top() <= row && row <= other.bottom();
                });
            if (earlier != ranges.cbegin() + i)
                row = earlier->top() - 1;
            else if (selection->isRowSelected(row, parent))
                return row;
            else
                --row;
        }
    }
    return -1;
}

void PlaylistListView::SetContextMenu(QMenu* menu)
{
    if (menu != m_contextMenu)
        delete m_contextMenu;
    m_contextMenu = menu;
    if (!menu)
        return;
    if (QAction* fileInfo = menu->findChild<QAction*>(QLatin1String(FileInformationName)))
        connect(fileInfo, &QAction::triggered, this, &PlaylistListView::OnFileInfoTriggered,
            Qt::UniqueConnection);
}

void PlaylistListView::ShowContextMenu(const QPoint& pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !m_contextMenu)
        return;
    m_menuEntryIndex = index;
    UpdateContextMenu(m_menuEntryIndex);
    m_contextMenu->exec(viewport()->mapToGlobal(pos));
}

void PlaylistListView::OnAudioTrackChanged(QAction* action)
{
    const int stream = StreamOf(m_audioActions, action);
    if (stream != -1)
        Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetAudioTrackSelected,
            QPersistentModelIndex(m_menuEntryIndex), static_cast<unsigned int>(stream));
}

void PlaylistListView::OnVideoTrackChanged(QAction* action)
{
    const int stream = StreamOf(m_videoActions, action);
    if (stream != -1)
        Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetVideoTrackSelected,
            QPersistentModelIndex(m_menuEntryIndex), static_cast<unsigned int>(stream));
}

void PlaylistListView::OnFileInfoTriggered()
{
    emit ShowFileInfo(m_menuEntry.GetFilename().utf8string());
}

void PlaylistListView::OnDoubleClick(const QModelIndex& index)
{
    if (m_leftDoubleClick)
        Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetDoubleClicked,
            QPersistentModelIndex(index));
}

void PlaylistListView::keyPressEvent(QKeyEvent* event)
{
    const QKeySequence pressed(event->key() | int(event->modifiers()));
    for (const int shortcut : ParentShortcuts) {
        if (pressed.matches(QKeySequence(shortcut)) == QKeySequence::ExactMatch) {
            event->ignore();
            return;
        }
    }
    Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetKeyPress, event->key());
    QAbstractItemView::keyPressEvent(event);
}

void PlaylistListView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const QScrollBar* bar = verticalScrollBar();
    if ((delta > 0 && bar->value() > bar->minimum())
        || (delta < 0 && bar->value() < bar->maximum()))
        QAbstractScrollArea::wheelEvent(event);
    // Even at either end of the list the turn must not scroll the parent.
    event->accept();
}

void PlaylistListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_leftDoubleClick = event->button() == Qt::LeftButton;
    QAbstractItemView::mouseDoubleClickEvent(event);
}

void PlaylistListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (IsAccepted(event->mimeData()))
        event->acceptProposedAction();
    else
        QAbstractItemView::dragEnterEvent(event);
}

void PlaylistListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!IsAccepted(event->mimeData())) {
        QListView::dragMoveEvent(event);
        return;
    }
    event->acceptProposedAction();
    const QPersistentModelIndex target(
        indexAt(QtCompat::Position(event) - QPoint(0, DropMarkerOffset)));
    if (target != m_dropTarget) {
        SetUnderDrop(m_dropTarget, false);
        m_dropTarget = target;
    }
    SetUnderDrop(m_dropTarget, true);
}

void PlaylistListView::dragLeaveEvent(QDragLeaveEvent*)
{
    SetUnderDrop(m_dropTarget, false);
}

void PlaylistListView::dropEvent(QDropEvent* event)
{
    SetUnderDrop(m_dropTarget, false);
    const QMimeData* mime = event->mimeData();
    if (!IsAccepted(mime)) {
        QListView::dropEvent(event);
        return;
    }
    const int row = InsertionRow(QtCompat::Position(event));
    const bool dropped = mime->hasUrls() ? DropUrls(mime->urls(), row)
                                         : DropRows(mime->data(PlaylistModel::MimeType), row);
    if (!dropped) {
        // Nothing was announced, so a move must not remove the dragged rows either.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    if (IsDragFromThisView(*event) && !(QtCompat::Modifiers(event) & Qt::ControlModifier))
        event->setDropAction(Qt::MoveAction);
    event->accept();
}

bool PlaylistListView::IsDragFromThisView(const QDropEvent& event) const
{
    return event.source() == this;
}

template <class... Args>
void PlaylistListView::Notify(
    void (IPlaylistWidgetEventObserver::*handler)(Args...), const std::decay_t<Args>&... args)
{
    // A copy: an observer may register another one while it is told.
    const QList<IPlaylistWidgetEventObserver*> observers = m_observers;
    for (IPlaylistWidgetEventObserver* observer : observers)
        (observer->*handler)(args...);
}

bool PlaylistListView::IsAccepted(const QMimeData* mime)
{
    return mime && (mime->hasUrls() || mime->hasFormat(PlaylistModel::MimeType));
}

int PlaylistListView::InsertionRow(const QPoint& position) const
{
    const QModelIndex above = indexAt(position - QPoint(0, DropMarkerOffset));
    if (above.isValid())
        return above.row() + 1;
    return model() ? model()->rowCount(QModelIndex()) : 0;
}

void PlaylistListView::SetUnderDrop(const QModelIndex& index, bool underDrop)
{
    if (!index.isValid() || index.model() != model())
        return;
    const QVariant value = index.data(Qt::DisplayRole);
    if (value.userType() != qMetaTypeId<PlaylistItemData>())
        return;
    PlaylistItemData item = value.value<PlaylistItemData>();
    // Unchanged entries are not written, so that a drag does not flood the
    // observers of the model.
    if (item.GetUnderDrop() == underDrop)
        return;
    item.SetUnderDrop(underDrop);
    model()->setData(index, QVariant::fromValue(item), Qt::EditRole);
}

bool PlaylistListView::DropUrls(const QList<QUrl>& urls, int row)
{
    // The last file goes in first, so that all of them keep their order at row.
    for (auto url = urls.crbegin(); url != urls.crend(); ++url)
        Notify(&IPlaylistWidgetEventObserver::OnFileDropped, url->toLocalFile().toStdString(), row);
    return !urls.isEmpty();
}

bool PlaylistListView::DropRows(const QByteArray& payload, int row)
{
    // The payload may come from any process: anything that is not a list of
    // unnamed, non-empty texts is left out.
    if (payload.isEmpty() || payload.size() > MaxRowPayloadSize)
        return false;
    const std::string text = payload.toStdString();
    Core::Property root;
    if (!Core::PropertySerializer::Deserialize(root, io::DataInputString::Create(&text), true)
        || !root.IsArrayType())
        return false;

    const Core::Property& entries = root;
    bool dropped = false;
    for (unsigned i = entries.Count(); i-- > 0;) {
        const Core::Property& entry = entries[i];
        if (entry.GetType() != Core::Property::Type::String || !entry.GetName().empty()
            || entry.Count() != 0)
            continue;
        std::string path = entry.GetString();
        // A leading "*" marks the entry that was playing.
        const bool active = !path.empty() && path.front() == '*';
        if (active)
            path.erase(0, 1);
        if (path.empty() || path.find('\0') != std::string::npos)
            continue;
        Notify(active ? &IPlaylistWidgetEventObserver::OnActiveFileDropped
                      : &IPlaylistWidgetEventObserver::OnFileDropped,
            path, row);
        dropped = true;
    }
    return dropped;
}

void PlaylistListView::UpdateContextMenu(QPersistentModelIndex index)
{
    m_menuEntry = model()->data(index, Qt::DisplayRole).value<PlaylistItemData>();
    const PlaylistItemData::InfoPtr info = m_menuEntry.GetInfo();

    auto* fileInfo = m_contextMenu->findChild<QAction*>(QLatin1String(FileInformationName));
    auto* videoMenu = m_contextMenu->findChild<QMenu*>(QLatin1String(VideoTrackName));
    auto* audioMenu = m_contextMenu->findChild<QMenu*>(QLatin1String(AudioTrackName));
    if (!fileInfo || !videoMenu || !audioMenu)
        return;

    if (!m_menuEntry.IsInfoExtracted()) {
        fileInfo->setEnabled(false);
        videoMenu->setEnabled(false);
        audioMenu->setEnabled(false);
        return;
    }
    fileInfo->setEnabled(true);

    TrackList videoTracks;
    TrackList audioTracks;
    int mainVideo = -1;
    int mainAudio = -1;
    // A still image has no tracks to choose: both sub-menus end up empty.
    const unsigned streamCount
        = Conf::IsImageContainer(info->GetFormatId()) ? 0 : info->GetStreamCount();
    for (unsigned i = 0; i < streamCount; ++i) {
        const Core::Property& codecInfo = info->GetStreamCodecInfo(i);
        const int stream = static_cast<int>(i);
        switch (info->GetStreamMediaType(i)) {
        case Sarnet::MediaType::Video:
            videoTracks.emplace_back(
                stream, VideoTrackLabel(int(videoTracks.size()) + 1, codecInfo));
            if (mainVideo == -1 && IsMainStream(codecInfo))
                mainVideo = stream;
            break;
        case Sarnet::MediaType::Audio:
            audioTracks.emplace_back(
                stream, AudioTrackLabel(int(audioTracks.size()) + 1, codecInfo));
            if (mainAudio == -1 && IsMainStream(codecInfo))
                mainAudio = stream;
            break;
        default:
            break;
        }
    }
    FillTrackMenu(videoMenu, m_videoGroup, m_videoActions, videoTracks);
    FillTrackMenu(audioMenu, m_audioGroup, m_audioActions, audioTracks);

    int videoChoice = DefaultStream(videoTracks, mainVideo);
    int audioChoice = DefaultStream(audioTracks, mainAudio);
    // Stored 0 and −1 both mean that the user has not chosen.
    if (m_menuEntry.GetSelectedVideoStream() > 0)
        videoChoice = m_menuEntry.GetSelectedVideoStream();
    if (m_menuEntry.GetSelectedAudioStream() > 0)
        audioChoice = m_menuEntry.GetSelectedAudioStream();
    CheckTrack(m_audioActions, audioChoice);
    CheckTrack(m_videoActions, videoChoice);
}

std::string PlaylistListView::VideoTrackLabel(int number, const Core::Property& codecInfo)
{
    const Core::Property::Ratio fps = codecInfo[Conf::IFormatCodecVideo::TAG_FPS].GetRatio();
    const double frameRate = fps.denominator() > 0
        ? static_cast<double>(fps.numerator()) / static_cast<double>(fps.denominator())
        : 0.0;
    const auto label = [&](const std::string& format) {
        return (boost::format(format) % number
            % codecInfo[Conf::IFormatCodecVideo::TAG_WIDTH].GetInt64()
            % codecInfo[Conf::IFormatCodecVideo::TAG_HEIGHT].GetInt64() % frameRate
            % CodecName(codecInfo))
            .str();
    };
    // The context is spelled out: the translation tools do not read nested
    // namespace definitions.
    static const char* const format
        = QT_TRANSLATE_NOOP("Tarvos::Gui::PlaylistListView", "%i) %i:%i, %.2f FPS (%s)");
    try {
        return label(
            QCoreApplication::translate("Tarvos::Gui::PlaylistListView", format).toStdString());
    } catch (const boost::io::format_error&) {
        // A translation that lost a placeholder must not take the menu down.
        return label(format);
    }
}

std::string PlaylistListView::AudioTrackLabel(int number, const Core::Property& codecInfo)
{
    const Core::Property& metadata = codecInfo["metadata"];
    const bool hasLanguage = metadata.ChildExists(Conf::IFormatCodec::TAG_LANGUAGE);
    std::string label = (boost::format("%i) ") % number).str();
    if (hasLanguage)
        label += metadata[Conf::IFormatCodec::TAG_LANGUAGE].GetString();
    if (metadata.ChildExists(Conf::IFormatFile::TAG_TITLE)) {
        if (hasLanguage)
            label += ", ";
        label += metadata[Conf::IFormatFile::TAG_TITLE].GetString();
    } else if (hasLanguage) {
        label += ' ';
    }
    return label + (boost::format("(%s)") % CodecName(codecInfo)).str();
}

void PlaylistListView::FillTrackMenu(
    QMenu* menu, QActionGroup* group, std::map<int, QAction*>& actions, const TrackList& tracks)
{
    menu->clear();
    actions.clear();
    for (QAction* action : group->actions())
        group->removeAction(action);
    menu->setEnabled(!tracks.empty());
    for (const auto& [stream, label] : tracks) {
        QAction* action = menu->addAction(QString::fromStdString(label));
        action->setCheckable(true);
        group->addAction(action);
        actions[stream] = action;
    }
}

void PlaylistListView::CheckTrack(const std::map<int, QAction*>& actions, int stream)
{
    const auto it = actions.find(stream);
    if (it != actions.end())
        it->second->setChecked(true);
}

int PlaylistListView::StreamOf(const std::map<int, QAction*>& actions, const QAction* action)
{
    for (const auto& [stream, item] : actions) {
        if (item == action)
            return stream;
    }
    return -1;
}

} // namespace Tarvos::Gui
