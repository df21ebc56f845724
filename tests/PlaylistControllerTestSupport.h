#pragma once

#include "Gui/Reelkit/IPlaylistEventObserver.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "PlaylistModelTester.h"
#include "host/FormatTags.h"
#include "host/MediaSourceInfo.h"

#include <list>

// Media information put together stream by stream; an empty text leaves its tag out.
class Info
{
    using Property = Tarvos::Core::Property;
    using MediaType = Tarvos::Sarnet::MediaType;

public:
    explicit Info(const std::string& path = "/clip.mkv", Tarvos::avTime duration = 5000000,
        const std::string& format = "matroska,webm")
        : m_info(Tarvos::Sarnet::MediaSourceInfo::Create(Tarvos::ioPath(path), duration, format))
    {}

    Info& Video(std::int64_t width, std::int64_t height, Property::Ratio fps,
        const std::string& codec, const char* main = nullptr)
    {
        Property c;
        c.SetChild(Tarvos::Conf::IFormatCodecVideo::TAG_WIDTH, width);
        c.SetChild(Tarvos::Conf::IFormatCodecVideo::TAG_HEIGHT, height);
        c.SetChild(Tarvos::Conf::IFormatCodecVideo::TAG_FPS, fps);
        return Add(MediaType::Video, c, codec, main);
    }
    Info& Audio(const std::string& codec, const std::string& language = {},
        const std::string& title = {}, const char* main = nullptr)
    {
        Property c;
        Property& metadata = c["metadata"];
        if (!language.empty())
            metadata.SetChild(Tarvos::Conf::IFormatCodec::TAG_LANGUAGE, language);
        if (!title.empty())
            metadata.SetChild(Tarvos::Conf::IFormatFile::TAG_TITLE, title);
        return Add(MediaType::Audio, c, codec, main);
    }
    Info& Subtitle()
    {
        m_info->AddStream(MediaType::Unknown, Property());
        return *this;
    }
    operator Tarvos::Gui::PlaylistItemData::InfoPtr() const { return m_info; }

private:
    // main: "true" or "false" writes the flag, null leaves it out.
    Info& Add(MediaType type, Property& c, const std::string& codec, const char* main)
    {
        c.SetChild(Tarvos::Conf::IFormatCodec::TAG_CODEC_ID, codec);
        if (main)
            c.SetChild(Tarvos::Conf::IFormatCodec::TAG_MAIN_STREAM, qstrcmp(main, "true") == 0);
        m_info->AddStream(type, c);
        return *this;
    }

    boost::intrusive_ptr<Tarvos::Sarnet::MediaSourceInfo> m_info;
};

// Records every call as text ("name:active 2") into a log shared between
// observers, so that tests see the order across all of them. Each hook runs
// after its call has been logged.
class RecordingObserver final : public Tarvos::Gui::IPlaylistEventObserver
{
public:
    RecordingObserver(QStringList* log, QString name)
        : m_log(log)
        , m_prefix(name.isEmpty() ? name : name + ':')
    {}

    void OnPlaylistKeyPress(int key) override { Log("key", key); }
    void OnPlaylistItemDoubleClicked(int row) override { Log("double", row); }
    void OnPlaylistActiveItemChanged(int row) override { Log("active", row), onActive(row); }
    void OnPlaylistRewindStatesChanged(int states) override { Log("rewind", states); }
    void OnPlaylistFileDropped(const std::string& path, int row) override
    {
        Log(QStringLiteral("dropped %1").arg(QString::fromStdString(path)).toUtf8(), row);
        onDropped(path, row);
    }
    void OnPlaylistChanged() override { *m_log << m_prefix + "changed", onChanged(); }
    void OnPlaylistAudioTrackSelected(unsigned int track) override { Log("audio", track); }
    void OnPlaylistVideoTrackSelected(unsigned int track) override { Log("video", track); }

    std::function<void(int)> onActive = [](int) {};
    std::function<void(const std::string&, int)> onDropped = [](const std::string&, int) {};
    std::function<void()> onChanged = [] {};

private:
    void Log(const QByteArray& what, qint64 n)
    {
        *m_log << m_prefix + what + ' ' + QString::number(n);
    }

    QStringList* m_log;
    QString m_prefix;
};
// A shown list view with its controller, a model tester and observers that
// stay registered until the fixture goes.
struct ControllerFixture
{
    ControllerFixture()
        : view(std::make_unique<Tarvos::Gui::PlaylistListView>())
        , controller(Tarvos::Gui::PlaylistController::Create(view.get()))
        , tester(view->model())
    {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->resize(200, 120);
        view->show();
    }
    ~ControllerFixture()
    {
        for (RecordingObserver& observer : observers)
            controller->RemoveEventObserver(&observer);
    }
    // A new registered observer logging into log, its lines prefixed by name.
    RecordingObserver& Observe(const QString& name = QString())
    {
        observers.emplace_back(&log, name);
        controller->AddEventObserver(&observers.back());
        return observers.back();
    }
    // Files named "/0" … "/<count − 1>".
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            controller->AddFile(Tarvos::ioPath("/" + std::to_string(i)), -1, false);
    }
    Tarvos::Gui::PlaylistItemData Record(int row) const
    {
        return view->model()->index(row, 0).data().value<Tarvos::Gui::PlaylistItemData>();
    }
    QString Path(int row) const { return QString::fromStdString(Record(row).GetName()); }
    QStringList Paths() const
    {
        QStringList paths;
        for (int row = 0; row < controller->GetItemCount(); ++row)
            paths << Path(row);
        return paths;
    }
    // The row of the active entry as the controller reports it, −1 for none.
    int ActiveRow() const
    {
        Tarvos::Gui::PlaylistItemData record;
        return controller->GetFile(record) ? record.GetIndex().row() : -1;
    }
    // Rows whose records carry the active flag.
    QList<int> FlaggedRows() const
    {
        QList<int> rows;
        for (int row = 0; row < controller->GetItemCount(); ++row) {
            if (Record(row).GetActive())
                rows << row;
        }
        return rows;
    }
    QPersistentModelIndex Entry(int row) const { return view->model()->index(row, 0); }

    QStringList log;
    std::unique_ptr<Tarvos::Gui::PlaylistListView> view;
    // Declared after the view, which must outlive it.
    boost::intrusive_ptr<Tarvos::Gui::PlaylistController> controller;
    PlaylistModelTester tester;
    std::list<RecordingObserver> observers;
};
