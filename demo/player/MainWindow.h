#pragma once

#include "ControlPanel.h"
#include "DragSeek.h"
#include "FolderScanner.h"
#include "FramePreviews.h"
#include "Gui/Reelkit/IPlaybackControlPanelEventObserver.h"
#include "Gui/Reelkit/IPlaylistEventObserver.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "MediaProbe.h"
#include "PlaylistFile.h"
#include "PlaylistStore.h"
#include "ResumeStore.h"

#include <QHash>
#include <QMainWindow>
#include <boost/intrusive_ptr.hpp>
#include <memory>
#include <string>

class QMenu;
class QSplitter;
class QTimer;

namespace Tarvos::Gui {
class Playlist;
class PlaybackControlPanelSwitcher;
class TimelineSlider;
} // namespace Tarvos::Gui

namespace Player {

class FullScreen;
class MediaSession;
class MpvEngine;
class PlaylistArrange;
class PlaylistFind;
class PlaylistUndo;
class ScreenSaverInhibitor;
class VideoWidget;

// The player: the engine's picture beside the playlist, the control panel
// below, all of the interface from the widget library. It is the host that
// the library talks to: it hears the panel and the playlist and drives the
// engine, the media probe and the saved playlist.
class MainWindow : public QMainWindow,
                   public Tarvos::Gui::IPlaybackControlPanelEventObserver,
                   public Tarvos::Gui::IPlaylistEventObserver
{
    Q_OBJECT

public:
    struct Options
    {
        QString storePath = PlaylistStore::DefaultPath();
        std::string audioOutput = "auto";
        // How long the mouse rests before the full-screen panel slides away.
        int panelHideDelay = 2000;
        // Where hover previews are kept between runs.
        QString previewCache = FramePreviews::DefaultCacheFolder();
    };

    explicit MainWindow(const Options& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Appends files to the list; each is described in the background. A
    // playlist file adds its entries.
    void AddFiles(const QStringList& paths, bool playFirst);
    // Replaces the list with the playlist file's entries, or appends them;
    // a file that cannot be read changes nothing and the reason is in *error.
    bool OpenPlaylistFile(const QString& path, bool replace, QString* error);
    bool SavePlaylistFile(const QString& path, QString* error) const;
    // Appends the saved list; false when there was none.
    bool RestorePlaylist();
    void SavePlaylist();
    // Makes the row the active entry and starts it.
    void PlayRow(int row);

    Tarvos::Gui::Playlist* GetPlaylist() const { return m_playlist; }
    MpvEngine* GetEngine() const { return m_engine.get(); }
    ControlPanel* GetPanel(ControlPanel::Layout layout) const;
    VideoWidget* GetVideo() const { return m_video; }
    QMenu* GetContextMenu() const { return m_contextMenu; }
    PlaylistUndo* GetUndo() const { return m_undo; }
    PlaylistFind* GetFind() const { return m_find; }
    const PlaylistStore& GetStore() const { return m_store; }
    FramePreviews* GetPreviews() const { return m_previews; }
    QMenu* GetChapterMenu() const { return m_chapterMenu; }
    // The A-B loop key: the first press loops from here to the end, the
    // second ends the loop here, the third clears it.
    void CycleLoop();
    const ResumeStore& GetResume() const { return m_resume; }
    MediaSession* GetSession() const { return m_session; }

    // IPlaybackControlPanelEventObserver
    void OnButtonClick(unsigned int control) override;
    void OnSeek(Tarvos::avTime position) override;
    void OnProgressDragStarted() override;
    void OnProgressDragFinished() override;
    void OnCheckboxSwitch(unsigned int control, bool checked) override;
    void OnVolumeChanged(int volume) override;
    void OnMuteChanged(bool mute) override;

    // IPlaylistEventObserver
    void OnPlaylistKeyPress(int key) override;
    void OnPlaylistItemDoubleClicked(int row) override;
    void OnPlaylistActiveItemChanged(int row) override;
    void OnPlaylistRewindStatesChanged(int states) override;
    void OnPlaylistFileDropped(const std::string& path, int row) override;
    void OnPlaylistChanged() override;
    void OnPlaylistAudioTrackSelected(unsigned int track) override;
    void OnPlaylistVideoTrackSelected(unsigned int track) override;

signals:
    // A file is open in the engine and playing or ready to play.
    void FileStarted(QString path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int SeekStepMs = 5000;
    static constexpr int ShowHideMs = 250;
    static constexpr int InitialVolume = 80;
    // How often the place in a playing file is saved, so that a crash loses little.
    static constexpr int ResumeSaveMs = 10000;

    QMenu* CreateContextMenu();
    void CreateShortcuts();
    void CreateEditMenu();
    void CreatePlaybackMenu();
    // Publishes the player to the desktop's media controls, when there is a session bus.
    void ConnectDesktop();
    // Tells the desktop whether the player plays, and keeps the screensaver
    // away while a video does.
    void ShowPlaybackState();
    // Saves where the open file is, unless it was stopped; an ended file starts over.
    void RememberPosition();
    void ConnectViewModes(ControlPanel* panel);
    // Both panels' timelines: chapters, loop and previews show on each.
    QVector<Tarvos::Gui::TimelineSlider*> Timelines() const;
    void ConnectTimeline(Tarvos::Gui::TimelineSlider* timeline);
    void OnChaptersRead(
        const QString& path, const QVector<Tarvos::Gui::TimelineSlider::Chapter>& chapters);
    void SetLoop(Tarvos::avTime a, Tarvos::avTime b);
    void ClearLoop();
    // The duration comes from a playlist file until the probe knows better.
    void AddFile(const QString& path, int row, Tarvos::avTime duration = 0);
    // Inserts before row (−1 appends); the reason is shown when it cannot.
    void AddPlaylistFile(const QString& path, int row);
    void InsertEntries(const QVector<PlaylistEntry>& entries, int row);
    void ShowProblem(const QString& problem);
    // Lists the folder's media off the GUI thread; the playlist shows it is busy.
    void ScanFolder(const QString& folder);
    // Starts where the file was left, unless resume is false.
    void OpenActive(bool play, bool resume = true);
    void StepAndOpen(int step);
    void SetFullscreen(bool fullscreen);
    void ShowEffectsMenu();
    int TrackNumber(Tarvos::Sarnet::MediaType type, unsigned int stream) const;

    void OnAddFileClicked();
    void OnAddFolderClicked();
    void OnAddDvdClicked();
    void OnOpenPlaylistClicked();
    void OnSavePlaylistClicked();
    void OnFolderScanned(const QString& folder, const QStringList& files);
    void OnShowFileInfo(const std::string& path);
    void OnDescribed(const MediaProbe::InfoPtr& info);
    void OnFileLoaded(bool video, bool audio);
    void OnLoadFailed();
    void OnPauseChanged(bool paused);
    void OnEndReached();

    Options m_options;
    PlaylistStore m_store;
    ResumeStore m_resume;
    ControlPanel* m_windowedPanel;
    ControlPanel* m_fullscreenPanel; // a window of its own, owned as a child
    Tarvos::Gui::PlaybackControlPanelSwitcher* m_switcher;
    std::unique_ptr<MpvEngine> m_engine;
    VideoWidget* m_video;
    Tarvos::Gui::Playlist* m_playlist;
    QSplitter* m_splitter;
    // The playlist with its find bar below.
    QWidget* m_playlistColumn;
    QMenu* m_contextMenu; // owned by the playlist's view
    boost::intrusive_ptr<Tarvos::Gui::PlaylistController> m_controller;
    PlaylistUndo* m_undo;
    PlaylistArrange* m_arrange;
    PlaylistFind* m_find; // a child of the playlist's column
    std::unique_ptr<FullScreen> m_fullScreen;
    MediaProbe m_probe;
    FramePreviews* m_previews;
    QMenu* m_chapterMenu;
    FolderScanner m_scanner;
    MediaSession* m_session;
    ScreenSaverInhibitor* m_inhibitor = nullptr;
    QTimer* m_resumeClock;
    DragSeek m_dragSeek;
    // Titles that playlist files gave, by path, written again when saved.
    QHash<QString, QString> m_titles;
    std::string m_openPath;
    // The chosen streams of the open file; its position is the engine's.
    ResumeStore::Point m_openPoint;
    bool m_playWhenLoaded = false;
    bool m_resumeWanted = true;
    // The open file loaded; not yet, or it could not be.
    bool m_loaded = false;
    bool m_hasVideo = false;
    bool m_stopped = false;
    bool m_playlistShown = true;
    // Unreadable files met in a row; stops the skipping once all were tried.
    int m_failuresInRow = 0;
};

} // namespace Player
