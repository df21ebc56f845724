#include "Gui/Reelkit/PlaylistItemData.h"

#include "Gui/Reelkit/QtCompat.h"
#include "host/DVDLabel.h"

#include <QString>

namespace Tarvos::Gui {

namespace {

const QString DVDScheme = QStringLiteral("dvd://");

// "dvd://E:/:title=3" → "3": everything up to the last ":title=" goes, then
// every non-digit.
QString DVDTitleNumber(const QString& text)
{
    static const QLatin1String TitleKey(":title=");
    const int key = text.lastIndexOf(TitleKey);
    QString number;
    for (const QChar c : text.mid(key < 0 ? 0 : key + TitleKey.size()))
        if (c.isDigit())
            number += c;
    return number;
}

// "dvd://E:/:title=3" → "E:/".
QString DVDDrive(QString text)
{
    return text.remove(DVDScheme).left(3);
}

} // namespace

const char* const PlaylistItemData::DefaultTitleName = "DVD_TRACK";

PlaylistItemData::PlaylistItemData() = default;

PlaylistItemData::PlaylistItemData(const ioPath& path)
    : m_path(path)
    , m_titleName(DefaultTitleName)
{}

PlaylistItemData::PlaylistItemData(InfoPtr info)
    : m_titleName(DefaultTitleName)
{
    if (!info)
        return;
    m_path = info->GetFilePath();
    m_duration = info->GetDuration();

    const QString text = QString::fromStdString(m_path.utf8string());
    m_dvd = text.contains(DVDScheme);
    if (m_dvd) {
        // Compared unsigned: a negative duration counts as a movie.
        const bool movie
            = static_cast<quint64>(m_duration) > static_cast<quint64>(MovieMinimumDuration);
        const QString label
            = QString::fromStdString(Util::DVDLabel(ioPath(DVDDrive(text).toStdString())));
        m_titleName = (label
            + QStringLiteral(" - Title %1: %2")
                  .arg(DVDTitleNumber(text),
                      movie ? QStringLiteral("Movie") : QStringLiteral("Bonus")))
                          .toStdString();
    }
    SetInfo(std::move(info));
}

PlaylistItemData::PlaylistItemData(const PlaylistItemData& other) = default;
PlaylistItemData& PlaylistItemData::operator=(const PlaylistItemData& other) = default;
PlaylistItemData::~PlaylistItemData() = default;

int PlaylistItemData::MetaTypeId()
{
    static const int id = [] {
        QtCompat::RegisterEqualsComparator<PlaylistItemData>();
        QMetaType::registerConverter<PlaylistItemData, QString>(
            [](const PlaylistItemData& item) { return QString::fromStdString(item.GetName()); });
        return qMetaTypeId<PlaylistItemData>();
    }();
    return id;
}

bool operator==(const PlaylistItemData& a, const PlaylistItemData& b)
{
    return a.m_path == b.m_path && a.m_titleName == b.m_titleName && a.m_duration == b.m_duration
        && a.m_active == b.m_active && a.m_info == b.m_info && a.m_valid == b.m_valid
        && a.m_underDrop == b.m_underDrop && a.m_dvd == b.m_dvd
        && a.m_selectedVideoStream == b.m_selectedVideoStream
        && a.m_selectedAudioStream == b.m_selectedAudioStream && a.m_index == b.m_index;
}

avTime PlaylistItemData::GetFileDuration() const
{
    return m_duration;
}

ioPath PlaylistItemData::GetFilename() const
{
    return m_path;
}

void PlaylistItemData::SetFilename(const std::string& path)
{
    m_path = path;
}

void PlaylistItemData::SetFileDuration(avTime duration)
{
    m_duration = duration;
}

std::string PlaylistItemData::GetName() const
{
    return m_dvd ? m_titleName : m_path.utf8string();
}

void PlaylistItemData::SetActive(bool active)
{
    m_active = active;
}

void PlaylistItemData::SetInfo(InfoPtr info)
{
    m_info = std::move(info);
}

bool PlaylistItemData::IsInfoExtracted() const
{
    return m_info && !m_info->IsEmpty();
}

void PlaylistItemData::SetValid(bool valid)
{
    m_valid = valid;
}

void PlaylistItemData::SetUnderDrop(bool underDrop)
{
    m_underDrop = underDrop;
}

void PlaylistItemData::SetSelectedVideoStream(int stream)
{
    m_selectedVideoStream = stream;
}

void PlaylistItemData::SetSelectedAudioStream(int stream)
{
    m_selectedAudioStream = stream;
}

void PlaylistItemData::SetIndex(const QPersistentModelIndex& index)
{
    m_index = index;
}

} // namespace Tarvos::Gui
