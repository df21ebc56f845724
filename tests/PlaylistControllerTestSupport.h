#pragma once

#include "Gui/Reelkit/IPlaylistEventObserver.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <string>

// Records every call as text ("name:active 2") into a log shared between
// observers, so that tests see the order across all of them. Each hook, when
// set, runs after its call has been logged.
class RecordingObserver final : public Tarvos::Gui::IPlaylistEventObserver
{
public:
    RecordingObserver(QStringList* log, QString name)
        : m_log(log)
        , m_name(std::move(name))
    {}

    void OnPlaylistKeyPress(int key) override { Log(QStringLiteral("key %1").arg(key)); }
    void OnPlaylistItemDoubleClicked(int row) override
    {
        Log(QStringLiteral("double %1").arg(row));
    }
    void OnPlaylistActiveItemChanged(int row) override
    {
        Log(QStringLiteral("active %1").arg(row));
        if (onActive)
            onActive(row);
    }
    void OnPlaylistRewindStatesChanged(int states) override
    {
        Log(QStringLiteral("rewind %1").arg(states));
        if (onRewind)
            onRewind(states);
    }
    void OnPlaylistFileDropped(const std::string& path, int row) override
    {
        Log(QStringLiteral("dropped %1 %2").arg(QString::fromStdString(path)).arg(row));
        if (onDropped)
            onDropped(path, row);
    }
    void OnPlaylistChanged() override
    {
        Log(QStringLiteral("changed"));
        if (onChanged)
            onChanged();
    }
    void OnPlaylistAudioTrackSelected(unsigned int track) override
    {
        Log(QStringLiteral("audio %1").arg(track));
    }
    void OnPlaylistVideoTrackSelected(unsigned int track) override
    {
        Log(QStringLiteral("video %1").arg(track));
    }

    std::function<void(int)> onActive;
    std::function<void(int)> onRewind;
    std::function<void(const std::string&, int)> onDropped;
    std::function<void()> onChanged;

private:
    void Log(const QString& text) { *m_log << (m_name.isEmpty() ? text : m_name + ':' + text); }

    QStringList* m_log;
    QString m_name;
};

// A shown list view with its controller.
struct ControllerFixture
{
    ControllerFixture()
        : view(std::make_unique<Tarvos::Gui::PlaylistListView>())
        , controller(Tarvos::Gui::PlaylistController::Create(view.get()))
    {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->resize(200, 120);
        view->show();
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

    std::unique_ptr<Tarvos::Gui::PlaylistListView> view;
    // Declared after the view, which must outlive it.
    boost::intrusive_ptr<Tarvos::Gui::PlaylistController> controller;
};
