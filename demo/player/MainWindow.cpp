#include "MainWindow.h"

#include "FileInfoDialog.h"
#include "FramePreviews.h"
#include "FullScreen.h"
#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "MediaSession.h"
#include "MpvEngine.h"
#include "PlaylistArrange.h"
#include "PlaylistFind.h"
#include "PlaylistUndo.h"
#include "ScreenSaverInhibitor.h"
#include "VideoWidget.h"
#include "host/Property.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDBusConnection>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace Player {

namespace {

using Tarvos::Gui::PlaybackControlPanelLogic;
using Tarvos::Gui::PlaylistController;
using Tarvos::Gui::PlaylistItemData;

const QString DvdScheme = QStringLiteral("dvd://");

struct Effect
{
    const char* name;
    const char* filter; // mpv's video filter syntax
};

const Effect Effects[] = {
    { QT_TRANSLATE_NOOP("Player::MainWindow", "No effect"), "" },
    { QT_TRANSLATE_NOOP("Player::MainWindow", "Mirror"), "lavfi=[hflip]" },
    { QT_TRANSLATE_NOOP("Player::MainWindow", "Grey"), "lavfi=[hue=s=0]" },
    { QT_TRANSLATE_NOOP("Player::MainWindow", "Negative"), "lavfi=[negate]" },
};

QString MediaFilter()
{
    const QStringList patterns = FolderScanner::NamePatterns() + PlaylistFile::NamePatterns();
    return MainWindow::tr("Media files and playlists (%1);;All files (*)")
        .arg(patterns.join(QLatin1Char(' ')));
}

} // namespace

MainWindow::MainWindow(const Options& options, QWidget* parent)
    : QMainWindow(parent)
    , m_options(options)
    , m_store(options.storePath)
    , m_resume(
          QFileInfo(options.storePath).dir().filePath(QString::fromLatin1(ResumeStore::FileName)))
    , m_windowedPanel(new ControlPanel(ControlPanel::Layout::Windowed))
    , m_fullscreenPanel(new ControlPanel(ControlPanel::Layout::Fullscreen, this))
    , m_switcher(
          new Tarvos::Gui::PlaybackControlPanelSwitcher(this, m_windowedPanel, m_fullscreenPanel))
    , m_engine(std::make_unique<MpvEngine>(m_switcher, MpvEngine::Options { options.audioOutput }))
    , m_video(new VideoWidget(m_engine->GetHandle()))
    , m_playlist(new Tarvos::Gui::Playlist)
    , m_splitter(new QSplitter(Qt::Horizontal))
    , m_playlistColumn(new QWidget)
    , m_contextMenu(CreateContextMenu())
    , m_controller(m_playlist->GetController())
    , m_undo(new PlaylistUndo(
          m_playlist->findChild<Tarvos::Gui::PlaylistListView*>(), m_controller.get(), this))
    , m_arrange(new PlaylistArrange(
          m_playlist->findChild<Tarvos::Gui::PlaylistListView*>(), m_undo, this))
    , m_find(new PlaylistFind(m_playlist->findChild<Tarvos::Gui::PlaylistListView*>()))
    , m_fullScreen(std::make_unique<FullScreen>(this, m_video, m_switcher, options.panelHideDelay))
    , m_previews(new FramePreviews(this))
    , m_chapterMenu(new QMenu(tr("&Chapters"), this))
    , m_session(new MediaSession(this))
    , m_resumeClock(new QTimer(this))
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Reelkit Player"));
    auto* column = new QVBoxLayout(m_playlistColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_playlist, 1);
    column->addWidget(m_find);
    m_splitter->addWidget(m_video);
    m_splitter->addWidget(m_playlistColumn);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setChildrenCollapsible(false);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_windowedPanel);
    setCentralWidget(central);
    resize(1024, 640);
    m_splitter->setSizes({ 700, 324 });

    m_playlist->SetContextMenu(m_contextMenu);
    m_controller->AddEventObserver(this);
    m_switcher->SetListener(this);
    m_switcher->SetShowHideDuration(ShowHideMs);
    m_switcher->SetAudioVolume(InitialVolume);
    m_session->SetVolume(InitialVolume / 100.0);
    m_switcher->OnEmpty();
    for (ControlPanel* panel : { m_windowedPanel, m_fullscreenPanel })
        ConnectViewModes(panel);

    connect(
        m_playlist, &Tarvos::Gui::Playlist::AddFileClicked, this, &MainWindow::OnAddFileClicked);
    connect(m_playlist, &Tarvos::Gui::Playlist::AddFolderClicked, this,
        &MainWindow::OnAddFolderClicked);
    connect(m_playlist, &Tarvos::Gui::Playlist::AddDvdClicked, this, &MainWindow::OnAddDvdClicked);
    connect(
        m_playlist, &Tarvos::Gui::Playlist::ShowFileInfoDialog, this, &MainWindow::OnShowFileInfo);
    connect(&m_probe, &MediaProbe::Described, this, &MainWindow::OnDescribed);
    connect(&m_probe, &MediaProbe::Failed, this,
        [this](const std::string& path) { m_controller->SetFileInfoFailed(path); });
    connect(&m_scanner, &FolderScanner::Found, this, &MainWindow::OnFolderScanned);
    connect(m_engine.get(), &MpvEngine::FileLoaded, this, &MainWindow::OnFileLoaded);
    connect(m_engine.get(), &MpvEngine::LoadFailed, this, &MainWindow::OnLoadFailed);
    connect(m_engine.get(), &MpvEngine::PauseChanged, this, &MainWindow::OnPauseChanged);
    connect(m_engine.get(), &MpvEngine::EndReached, this, &MainWindow::OnEndReached);
    connect(m_video, &VideoWidget::DoubleClicked, m_switcher,
        &PlaybackControlPanelLogic::OnFullscreenSwitched);

    m_previews->SetCacheFolder(options.previewCache);
    connect(m_previews, &FramePreviews::ChaptersRead, this, &MainWindow::OnChaptersRead);
    for (Tarvos::Gui::TimelineSlider* timeline : Timelines())
        ConnectTimeline(timeline);

    QString problem;
    if (!m_resume.Load(&problem) && !problem.isEmpty())
        qWarning("%s", qPrintable(problem));
    m_resumeClock->setInterval(ResumeSaveMs);
    connect(m_resumeClock, &QTimer::timeout, this, [this] {
        if (!m_engine->IsPaused())
            RememberPosition();
    });
    m_resumeClock->start();

    CreateShortcuts();
    CreateEditMenu();
    CreatePlaybackMenu();
    ConnectDesktop();
    m_chapterMenu->setObjectName(QStringLiteral("ChapterMenu"));
    m_chapterMenu->setEnabled(false);
    menuBar()->addMenu(m_chapterMenu);
}

QVector<Tarvos::Gui::TimelineSlider*> MainWindow::Timelines() const
{
    QVector<Tarvos::Gui::TimelineSlider*> timelines;
    for (ControlPanel* panel : { m_windowedPanel, m_fullscreenPanel }) {
        if (auto* timeline = panel->findChild<Tarvos::Gui::TimelineSlider*>(
                PlaybackControlPanelLogic::ProgressName))
            timelines.append(timeline);
    }
    return timelines;
}

void MainWindow::ConnectTimeline(Tarvos::Gui::TimelineSlider* timeline)
{
    timeline->SetPreviewProvider(m_previews);
    // A loop dragged on one timeline plays, and shows on the other one too.
    connect(timeline, &Tarvos::Gui::TimelineSlider::LoopChanged, this, &MainWindow::SetLoop);
}

void MainWindow::SetLoop(Tarvos::avTime a, Tarvos::avTime b)
{
    for (Tarvos::Gui::TimelineSlider* timeline : Timelines())
        timeline->SetLoop(a, b);
    m_engine->SetLoop(a, b);
}

void MainWindow::ClearLoop()
{
    for (Tarvos::Gui::TimelineSlider* timeline : Timelines())
        timeline->ClearLoop();
    m_engine->ClearLoop();
}

void MainWindow::CycleLoop()
{
    const QVector<Tarvos::Gui::TimelineSlider*> timelines = Timelines();
    if (timelines.isEmpty() || !timelines.front()->isEnabled())
        return;
    Tarvos::Gui::TimelineSlider* timeline = timelines.front();
    const Tarvos::avTime position = m_engine->GetPosition();
    const Tarvos::avTime end = timeline->position2time(timeline->maximum());
    if (!timeline->HasLoop())
        SetLoop(position, end);
    else if (timeline->LoopEnd() == end && position > timeline->LoopStart())
        SetLoop(timeline->LoopStart(), position);
    else
        ClearLoop();
}

void MainWindow::OnChaptersRead(
    const QString& path, const QVector<Tarvos::Gui::TimelineSlider::Chapter>& chapters)
{
    if (QFileInfo(QString::fromStdString(m_openPath)).absoluteFilePath()
        != QFileInfo(path).absoluteFilePath())
        return;
    for (Tarvos::Gui::TimelineSlider* timeline : Timelines())
        timeline->SetChapters(chapters);
    m_chapterMenu->clear();
    m_chapterMenu->setEnabled(!chapters.isEmpty());
    for (const Tarvos::Gui::TimelineSlider::Chapter& chapter : chapters) {
        const Tarvos::avTime start = chapter.start;
        const QString title = chapter.title.isEmpty()
            ? tr("Chapter %1").arg(m_chapterMenu->actions().size() + 1)
            : chapter.title;
        connect(m_chapterMenu->addAction(title), &QAction::triggered, this,
            [this, start] { OnSeek(start); });
    }
}

MainWindow::~MainWindow()
{
    m_fullScreen.reset();
    m_switcher->SetListener(nullptr);
    m_controller->RemoveEventObserver(this);
    // The render context goes before the engine it draws.
    delete m_video;
}

ControlPanel* MainWindow::GetPanel(ControlPanel::Layout layout) const
{
    return layout == ControlPanel::Layout::Windowed ? m_windowedPanel : m_fullscreenPanel;
}

QMenu* MainWindow::CreateContextMenu()
{
    // No parent: the playlist's view takes the menu over and deletes it.
    auto* menu = new QMenu;
    menu->setObjectName(QStringLiteral("PlaylistMenu"));
    connect(menu->addAction(tr("Play")), &QAction::triggered, this,
        [this] { StepAndOpen(PlaylistController::StepToSelection); });
    connect(menu->addAction(tr("Play from the beginning")), &QAction::triggered, this, [this] {
        if (m_controller->StepTo(PlaylistController::StepToSelection))
            OpenActive(true, false);
    });
    QAction* info = menu->addAction(tr("File information…"));
    info->setObjectName(Tarvos::Gui::PlaylistListView::FileInformationName);
    menu->addSeparator();
    menu->addMenu(tr("Video track"))->setObjectName(Tarvos::Gui::PlaylistListView::VideoTrackName);
    menu->addMenu(tr("Audio track"))->setObjectName(Tarvos::Gui::PlaylistListView::AudioTrackName);
    menu->addSeparator();
    connect(menu->addAction(tr("Remove")), &QAction::triggered, this,
        [this] { m_controller->DeleteSelectedFiles(); });
    // No question asked: the clearing can be undone.
    connect(menu->addAction(tr("Clear the playlist")), &QAction::triggered, this,
        [this] { m_undo->Clear(); });
    menu->addSeparator();
    connect(menu->addAction(tr("Open playlist…")), &QAction::triggered, this,
        &MainWindow::OnOpenPlaylistClicked);
    connect(menu->addAction(tr("Save playlist as…")), &QAction::triggered, this,
        &MainWindow::OnSavePlaylistClicked);
    return menu;
}

void MainWindow::CreateShortcuts()
{
    const auto add = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this, slot);
        shortcut->setContext(Qt::ApplicationShortcut);
    };
    add(Qt::Key_Space, [this] {
        // A button reached with Tab takes Space as a click, as buttons do
        // everywhere; elsewhere Space plays and pauses.
        auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        if (button && (button->focusPolicy() & Qt::TabFocus))
            button->animateClick();
        else
            OnButtonClick(PlaybackControlPanelLogic::CtrlPlayPause);
    });
    add(Qt::Key_F, [this] { m_switcher->OnFullscreenSwitched(); });
    add(Qt::Key_Escape, [this] {
        if (m_fullScreen->IsOn())
            m_switcher->OnFullscreenSwitched();
    });
    add(Qt::CTRL | Qt::Key_Right, [this] { OnSeek(m_engine->GetPosition() + SeekStepMs * 1000); });
    add(Qt::CTRL | Qt::Key_Left, [this] {
        OnSeek(std::max<Tarvos::avTime>(0, m_engine->GetPosition() - SeekStepMs * 1000));
    });
    add(QKeySequence::Open, [this] { OnAddFileClicked(); });
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_O, [this] { OnOpenPlaylistClicked(); });
    add(QKeySequence::SaveAs, [this] { OnSavePlaylistClicked(); });
    add(QKeySequence::Quit, [this] { close(); });
    add(Qt::CTRL | Qt::Key_Up, [this] { m_arrange->MoveSelection(-1); });
    add(Qt::CTRL | Qt::Key_Down, [this] { m_arrange->MoveSelection(1); });
    add(Qt::Key_L, [this] { CycleLoop(); });
}

void MainWindow::CreateEditMenu()
{
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    const auto add = [this, edit](QAction* action, const QKeySequence& keys) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::ApplicationShortcut);
        edit->addAction(action);
        return action;
    };
    add(m_undo->GetStack()->createUndoAction(this, tr("Undo")), Qt::CTRL | Qt::Key_Z);
    add(m_undo->GetStack()->createRedoAction(this, tr("Redo")), Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    edit->addSeparator();
    connect(add(new QAction(tr("&Find…"), this), QKeySequence::Find), &QAction::triggered, this,
        [this] {
            if (m_playlistShown)
                m_find->Open();
        });
    connect(add(new QAction(tr("Find &next"), this), Qt::Key_F3), &QAction::triggered, this,
        [this] { m_find->FindNext(1); });
    connect(add(new QAction(tr("Find &previous"), this), Qt::SHIFT | Qt::Key_F3),
        &QAction::triggered, this, [this] { m_find->FindNext(-1); });
    edit->addSeparator();
    edit->addMenu(m_arrange->CreateMenu(edit));
}

void MainWindow::CreatePlaybackMenu()
{
    QMenu* playback = menuBar()->addMenu(tr("&Playback"));
    playback->setObjectName(QStringLiteral("PlaybackMenu"));
    QAction* resume = playback->addAction(tr("&Resume where files were left"));
    resume->setObjectName(QStringLiteral("ResumeAction"));
    resume->setCheckable(true);
    resume->setChecked(m_resume.IsEnabled());
    connect(resume, &QAction::toggled, this, [this](bool enabled) {
        m_resume.SetEnabled(enabled);
        m_resume.Save();
    });

    QMenu* sizes = playback->addMenu(tr("Preview &size"));
    sizes->setObjectName(QStringLiteral("PreviewSizeMenu"));
    auto* choice = new QActionGroup(sizes);
    const struct
    {
        const char* label;
        int height;
    } heights[] = { { QT_TR_NOOP("Small"), FramePreviews::DefaultHeight * 2 / 3 },
        { QT_TR_NOOP("Medium"), FramePreviews::DefaultHeight },
        { QT_TR_NOOP("Large"), FramePreviews::DefaultHeight * 3 / 2 } };
    for (const auto& size : heights) {
        QAction* action = choice->addAction(tr(size.label));
        action->setCheckable(true);
        action->setChecked(size.height == FramePreviews::DefaultHeight);
        sizes->addAction(action);
        const int height = size.height;
        connect(
            action, &QAction::triggered, this, [this, height] { m_previews->SetHeight(height); });
    }
}

void MainWindow::ConnectDesktop()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || m_session->Publish(bus).isEmpty())
        qInfo("No session bus to publish on: the desktop's media controls cannot reach the player");
    m_inhibitor = new ScreenSaverInhibitor(bus, tr("Playing a video"), this);
    m_session->SetPositionSource([this] { return m_engine->GetPosition(); });
    const auto click
        = [this](unsigned int control) { return [this, control] { OnButtonClick(control); }; };
    connect(m_session, &MediaSession::PlayPauseRequested, this,
        click(PlaybackControlPanelLogic::CtrlPlayPause));
    connect(
        m_session, &MediaSession::StopRequested, this, click(PlaybackControlPanelLogic::CtrlStop));
    connect(m_session, &MediaSession::NextRequested, this,
        click(PlaybackControlPanelLogic::CtrlNextFile));
    connect(m_session, &MediaSession::PreviousRequested, this,
        click(PlaybackControlPanelLogic::CtrlPrevFile));
    connect(m_session, &MediaSession::SeekRequested, this,
        [this](qint64 position) { OnSeek(position); });
    connect(m_session, &MediaSession::VolumeRequested, this, [this](double volume) {
        const int percent = qRound(volume * 100);
        m_switcher->SetAudioVolume(percent);
        OnVolumeChanged(percent);
    });
    connect(m_session, &MediaSession::RaiseRequested, this, [this] {
        show();
        raise();
        activateWindow();
    });
    connect(m_session, &MediaSession::QuitRequested, this, &QWidget::close);
}

void MainWindow::ShowPlaybackState()
{
    const bool playing = m_loaded && !m_engine->IsPaused();
    m_session->SetStatus(!m_loaded || m_stopped ? MediaSession::Status::Stopped
            : playing                           ? MediaSession::Status::Playing
                                                : MediaSession::Status::Paused);
    m_inhibitor->SetInhibited(playing && m_hasVideo);
}

void MainWindow::RememberPosition()
{
    if (!m_loaded || m_stopped)
        return;
    ResumeStore::Point point = m_openPoint;
    // The last position seen may lie before the last 5 % of a short file.
    point.position = m_engine->IsEnded() ? m_engine->GetDuration() : m_engine->GetPosition();
    m_resume.Remember(QString::fromStdString(m_openPath), point, m_engine->GetDuration());
    QString problem;
    if (!m_resume.Save(&problem))
        qWarning("%s", qPrintable(problem));
}

void MainWindow::ConnectViewModes(ControlPanel* panel)
{
    // Toggled rather than clicked: a panel that takes over the other's state
    // through SetState applies it to the engine as well.
    if (auto* stretch = panel->findChild<QAbstractButton*>(QStringLiteral("inputViewMode")))
        connect(stretch, &QAbstractButton::toggled, this,
            [this](bool stretched) { m_engine->SetKeepAspect(!stretched); });
    if (auto* fill = panel->findChild<QAbstractButton*>(QStringLiteral("outputViewMode")))
        connect(fill, &QAbstractButton::toggled, this,
            [this](bool fillView) { m_engine->SetFillScreen(fillView); });
}

void MainWindow::AddFiles(const QStringList& paths, bool playFirst)
{
    const int first = m_controller->GetItemCount();
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir())
            ScanFolder(path);
        else if (PlaylistFile::FormatOf(path) != PlaylistFile::Format::None)
            AddPlaylistFile(path, -1);
        else
            AddFile(path, -1);
    }
    if (playFirst && m_controller->GetItemCount() > first)
        PlayRow(first);
}

void MainWindow::ScanFolder(const QString& folder)
{
    m_playlist->ShowBusy(
        true, tr("Looking for media in %1…").arg(QDir::toNativeSeparators(folder)));
    m_scanner.Scan(folder);
}

void MainWindow::AddFile(const QString& path, int row, Tarvos::avTime duration)
{
    const std::string utf8 = path.toStdString();
    PlaylistItemData record { Tarvos::ioPath(utf8) };
    record.SetFileDuration(duration);
    m_controller->AddFile(record, row, false);
    // A disc is read by the engine alone; the probe knows no disc structure.
    if (path.startsWith(DvdScheme))
        return;
    if (const MediaProbe::InfoPtr known = m_probe.Known(path))
        m_controller->SetFileInfo(known);
    else
        m_probe.Probe(utf8);
}

bool MainWindow::OpenPlaylistFile(const QString& path, bool replace, QString* error)
{
    const PlaylistFile::Result read = PlaylistFile::Load(path);
    if (!read.error.isEmpty()) {
        *error = read.error;
        return false;
    }
    if (replace) {
        m_controller->Clear();
        m_titles.clear();
    }
    InsertEntries(read.entries, -1);
    return true;
}

void MainWindow::AddPlaylistFile(const QString& path, int row)
{
    const PlaylistFile::Result read = PlaylistFile::Load(path);
    if (read.error.isEmpty())
        InsertEntries(read.entries, row);
    else
        ShowProblem(read.error);
}

void MainWindow::InsertEntries(const QVector<PlaylistEntry>& entries, int row)
{
    for (const PlaylistEntry& entry : entries) {
        if (!entry.title.isEmpty())
            m_titles.insert(entry.path, entry.title);
        AddFile(entry.path, row, std::max<qint64>(0, entry.durationMs) * 1000);
        if (row >= 0)
            ++row;
    }
}

bool MainWindow::SavePlaylistFile(const QString& path, QString* error) const
{
    const QAbstractItemModel* model
        = m_playlist->findChild<Tarvos::Gui::PlaylistListView*>()->model();
    QVector<PlaylistEntry> entries;
    for (int row = 0; row < model->rowCount(); ++row) {
        const PlaylistItemData item
            = model->index(row, 0).data(Qt::DisplayRole).value<PlaylistItemData>();
        PlaylistEntry entry;
        entry.path = QString::fromStdString(item.GetFilename().utf8string());
        entry.title = m_titles.value(entry.path);
        if (item.GetFileDuration() > 0)
            entry.durationMs = item.GetFileDuration() / 1000;
        entries << entry;
    }
    return PlaylistFile::Save(path, entries, error);
}

void MainWindow::ShowProblem(const QString& problem)
{
    auto* box
        = new QMessageBox(QMessageBox::Warning, tr("Playlist"), problem, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("PlaylistProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool MainWindow::RestorePlaylist()
{
    Tarvos::Core::Property tree;
    QString problem;
    if (!m_store.Load(tree, &problem)) {
        if (!problem.isEmpty())
            qWarning("%s", qPrintable(problem));
        return false;
    }
    const int first = m_controller->GetItemCount();
    const int count = m_controller->Deserialize(tree);
    const QAbstractItemModel* model
        = m_playlist->findChild<Tarvos::Gui::PlaylistListView*>()->model();
    for (int row = first; row < count; ++row) {
        const std::string path = model->index(row, 0)
                                     .data(Qt::DisplayRole)
                                     .value<Tarvos::Gui::PlaylistItemData>()
                                     .GetFilename()
                                     .utf8string();
        // A disc is read by the engine alone; the probe knows no disc structure.
        if (!QString::fromStdString(path).startsWith(DvdScheme))
            m_probe.Probe(path);
    }
    OpenActive(false);
    // Starting with the saved list is no step to undo.
    m_undo->Forget();
    return true;
}

void MainWindow::SavePlaylist()
{
    QString problem;
    if (!m_store.Save(m_controller->Serialize(), &problem))
        qWarning("%s", qPrintable(problem));
}

void MainWindow::PlayRow(int row)
{
    if (m_controller->StepTo(row))
        OpenActive(true);
}

void MainWindow::StepAndOpen(int step)
{
    if (m_controller->StepTo(step))
        OpenActive(true);
}

void MainWindow::OpenActive(bool play, bool resume)
{
    PlaylistItemData item;
    if (!m_controller->GetFile(item))
        return;
    RememberPosition();
    m_openPath = item.GetFilename().utf8string();
    m_openPoint = {};
    m_playWhenLoaded = play;
    m_resumeWanted = resume;
    m_loaded = false;
    m_stopped = false;
    m_switcher->SetSourceInfo(item.GetName(), item.GetFileDuration());
    // Another file: the last one's chapters and loop do not apply.
    ClearLoop();
    OnChaptersRead(QString::fromStdString(m_openPath), {});
    m_previews->SetFile(QString::fromStdString(m_openPath));
    m_engine->Open(m_openPath);
}

void MainWindow::OnFileLoaded(bool video, bool audio)
{
    m_failuresInRow = 0;
    m_switcher->OnFile(video, audio);
    m_hasVideo = video;
    const QString path = QString::fromStdString(m_openPath);
    m_video->SetCaption(video
            ? QString()
            : tr("♪ %1").arg(QFileInfo(QString::fromStdString(m_openPath)).fileName()));
    // A stream chosen in the playlist wins over the one the file was left with.
    const ResumeStore::Point left = m_resume.Recall(path);
    PlaylistItemData item;
    m_controller->GetFile(item);
    const auto chosen = [](int inList, int wasLeft) { return inList >= 0 ? inList : wasLeft; };
    const int audioStream = chosen(item.GetSelectedAudioStream(), left.audioStream);
    const int videoStream = chosen(item.GetSelectedVideoStream(), left.videoStream);
    if (audioStream >= 0)
        OnPlaylistAudioTrackSelected(unsigned(audioStream));
    if (videoStream >= 0)
        OnPlaylistVideoTrackSelected(unsigned(videoStream));
    // The list's track menus show the restored streams as chosen; restoring
    // them is no step of the user's to undo.
    PlaylistItemData restored = item;
    if (TrackNumber(Tarvos::Sarnet::MediaType::Audio, unsigned(audioStream)) > 0)
        restored.SetSelectedAudioStream(audioStream);
    if (TrackNumber(Tarvos::Sarnet::MediaType::Video, unsigned(videoStream)) > 0)
        restored.SetSelectedVideoStream(videoStream);
    if (restored != item)
        m_undo->Unrecorded([this, &restored] { m_controller->UpdateFile(restored); });
    if (m_resumeWanted && left.position > 0)
        m_engine->Seek(left.position);
    m_loaded = true;
    if (m_playWhenLoaded)
        m_engine->Play();
    else
        m_switcher->OnPause();
    m_session->SetTrack({ path, m_titles.value(path, QFileInfo(path).fileName()),
        std::max(item.GetFileDuration(), m_engine->GetDuration()) });
    ShowPlaybackState();
    emit FileStarted(path);
}

void MainWindow::OnLoadFailed()
{
    m_video->SetCaption(
        tr("%1 cannot be played").arg(QFileInfo(QString::fromStdString(m_openPath)).fileName()));
    m_controller->SetFileInfoFailed(m_openPath);
    m_switcher->OnStop();
    m_session->SetTrack({});
    ShowPlaybackState();
    // Skip to the next readable file, but never round and round a list of
    // unreadable ones.
    if (m_playWhenLoaded && ++m_failuresInRow < m_controller->GetItemCount())
        StepAndOpen(PlaylistController::StepNextByStrategy);
}

void MainWindow::OnPauseChanged(bool paused)
{
    if (!paused)
        m_switcher->OnPlay();
    else if (m_stopped)
        m_switcher->OnStop();
    else
        m_switcher->OnPause();
    ShowPlaybackState();
}

void MainWindow::OnEndReached()
{
    RememberPosition();
    if (m_controller->StepTo(PlaylistController::StepNextByStrategy))
        OpenActive(true);
}

void MainWindow::OnDescribed(const MediaProbe::InfoPtr& info)
{
    m_controller->SetFileInfo(info);
}

void MainWindow::OnButtonClick(unsigned int control)
{
    switch (control) {
    case PlaybackControlPanelLogic::CtrlPlayPause:
        if (m_openPath.empty()) {
            if (!m_controller->StepTo(PlaylistController::StepToSelection))
                m_controller->StepTo(0);
            OpenActive(true);
        } else if (m_engine->IsPaused()) {
            m_stopped = false;
            m_engine->Play();
        } else
            m_engine->Pause();
        break;
    case PlaybackControlPanelLogic::CtrlStop:
        RememberPosition();
        m_stopped = true;
        m_engine->Stop();
        m_switcher->OnStop();
        ShowPlaybackState();
        break;
    case PlaybackControlPanelLogic::CtrlNextFrame:
    case PlaybackControlPanelLogic::CtrlPrevFrame:
        m_engine->StepFrame(control == PlaybackControlPanelLogic::CtrlNextFrame);
        break;
    case PlaybackControlPanelLogic::CtrlNextFile:
        StepAndOpen(PlaylistController::StepNextByStrategy);
        break;
    case PlaybackControlPanelLogic::CtrlPrevFile:
        StepAndOpen(PlaylistController::StepPrevByStrategy);
        break;
    case PlaybackControlPanelLogic::CtrlEffects:
        ShowEffectsMenu();
        break;
    default:
        break;
    }
}

void MainWindow::OnSeek(Tarvos::avTime position)
{
    m_engine->Seek(position, m_dragSeek.IsKeyframeSeek(position));
}

void MainWindow::OnProgressDragStarted()
{
    m_dragSeek.Start();
}

void MainWindow::OnProgressDragFinished()
{
    // The drag's last place, exactly, where it stopped at a keyframe near it.
    if (m_dragSeek.Finish())
        m_engine->Seek(m_dragSeek.GetLastPosition());
}

void MainWindow::OnCheckboxSwitch(unsigned int control, bool checked)
{
    // The logic keeps each switch's state for the panel it binds next.
    switch (control) {
    case PlaybackControlPanelLogic::CtrlFullscreen:
        SetFullscreen(checked);
        break;
    case PlaybackControlPanelLogic::CtrlPlaylist:
        m_switcher->SetPlaylistState(checked);
        m_playlistShown = checked;
        m_playlistColumn->setVisible(checked);
        break;
    case PlaybackControlPanelLogic::CtrlShuffle:
        m_switcher->SetShuffleState(checked);
        m_controller->SetStrategy(
            checked ? PlaylistController::Shuffle : PlaylistController::Sequential);
        break;
    case PlaybackControlPanelLogic::CtrlRepeat:
        m_switcher->SetRepeatState(checked);
        m_controller->SetRepeat(checked);
        break;
    default:
        break;
    }
}

void MainWindow::OnVolumeChanged(int volume)
{
    m_engine->SetVolume(volume);
    m_session->SetVolume(volume / 100.0);
}

void MainWindow::OnMuteChanged(bool mute)
{
    m_engine->SetMute(mute);
}

void MainWindow::SetFullscreen(bool fullscreen)
{
    if (fullscreen) {
        m_windowedPanel->hide();
        m_playlistColumn->hide();
    }
    menuBar()->setVisible(!fullscreen);
    m_fullScreen->SetOn(fullscreen);
    if (!fullscreen) {
        m_windowedPanel->show();
        m_playlistColumn->setVisible(m_playlistShown);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    SavePlaylist();
    RememberPosition();
    m_inhibitor->SetInhibited(false);
    m_fullscreenPanel->hide();
    QMainWindow::closeEvent(event);
}

void MainWindow::ShowEffectsMenu()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("EffectsMenu"));
    for (const Effect& effect : Effects) {
        const std::string filter = effect.filter;
        connect(menu.addAction(tr(effect.name)), &QAction::triggered, this,
            [this, filter] { m_engine->SetVideoFilter(filter); });
    }
    QWidget* button
        = m_switcher->GetPlaybackControlPanel()->findChild<QWidget*>(QStringLiteral("Effects"));
    menu.exec(button ? button->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu.sizeHint().height())
                     : QCursor::pos());
}

int MainWindow::TrackNumber(Tarvos::Sarnet::MediaType type, unsigned int stream) const
{
    // mpv numbers the tracks of each kind from 1 in the file's stream order.
    const MediaProbe::InfoPtr info = m_probe.Known(QString::fromStdString(m_openPath));
    if (!info || stream >= info->GetStreamCount() || info->GetStreamMediaType(stream) != type)
        return -1;
    int number = 0;
    for (unsigned i = 0; i <= stream; ++i)
        number += info->GetStreamMediaType(i) == type ? 1 : 0;
    return number;
}

void MainWindow::OnPlaylistKeyPress(int key)
{
    switch (key) {
    case Qt::Key_Delete:
        m_controller->DeleteSelectedFiles();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        StepAndOpen(PlaylistController::StepToSelection);
        break;
    default:
        break;
    }
}

void MainWindow::OnPlaylistItemDoubleClicked(int row)
{
    PlayRow(row);
}

void MainWindow::OnPlaylistActiveItemChanged(int row)
{
    PlaylistItemData item;
    if (row >= 0 && m_controller->GetFile(item))
        setWindowTitle(tr("%1 — Reelkit Player")
                           .arg(QFileInfo(QString::fromStdString(item.GetName())).fileName()));
    else
        setWindowTitle(tr("Reelkit Player"));
}

void MainWindow::OnPlaylistRewindStatesChanged(int states)
{
    m_switcher->SetPlaylistRewinds(
        states & PlaylistController::RewindNext, states & PlaylistController::RewindPrev);
    m_session->SetCanStep(
        states & PlaylistController::RewindNext, states & PlaylistController::RewindPrev);
}

void MainWindow::OnPlaylistFileDropped(const std::string& path, int row)
{
    const QString file = QString::fromStdString(path);
    if (QFileInfo(file).isDir())
        ScanFolder(file);
    else if (PlaylistFile::FormatOf(file) != PlaylistFile::Format::None)
        AddPlaylistFile(file, row);
    else
        AddFile(file, row);
}

void MainWindow::OnPlaylistChanged() {}

void MainWindow::OnPlaylistAudioTrackSelected(unsigned int track)
{
    const int number = TrackNumber(Tarvos::Sarnet::MediaType::Audio, track);
    if (number > 0) {
        m_openPoint.audioStream = int(track);
        m_engine->SelectAudioTrack(number);
    }
}

void MainWindow::OnPlaylistVideoTrackSelected(unsigned int track)
{
    const int number = TrackNumber(Tarvos::Sarnet::MediaType::Video, track);
    if (number > 0) {
        m_openPoint.videoStream = int(track);
        m_engine->SelectVideoTrack(number);
    }
}

void MainWindow::OnAddFileClicked()
{
    const QStringList files
        = QFileDialog::getOpenFileNames(this, tr("Add files"), QString(), MediaFilter());
    AddFiles(files, false);
}

void MainWindow::OnAddFolderClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add a folder"));
    if (!folder.isEmpty())
        ScanFolder(folder);
}

void MainWindow::OnFolderScanned(const QString&, const QStringList& files)
{
    AddFiles(files, false);
    m_playlist->ShowBusy(false, QString());
}

void MainWindow::OnAddDvdClicked()
{
    // A mounted disc or a copy of its VIDEO_TS folder.
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Choose a DVD"));
    if (!folder.isEmpty())
        AddFile(DvdScheme + folder, -1);
}

void MainWindow::OnOpenPlaylistClicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open playlist"), QString(),
        tr("Playlists (%1)").arg(PlaylistFile::NamePatterns().join(QLatin1Char(' ')))
            + QStringLiteral(";;") + PlaylistFile::NameFilters().join(QStringLiteral(";;")));
    QString error;
    if (!path.isEmpty() && !OpenPlaylistFile(path, true, &error))
        ShowProblem(error);
}

void MainWindow::OnSavePlaylistClicked()
{
    QString format;
    const QString path = QFileDialog::getSaveFileName(this, tr("Save playlist as"), QString(),
        PlaylistFile::NameFilters().join(QStringLiteral(";;")), &format);
    QString error;
    if (!path.isEmpty() && !SavePlaylistFile(PlaylistFile::WithSuffix(path, format), &error))
        ShowProblem(error);
}

void MainWindow::OnShowFileInfo(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    auto* dialog = new FileInfoDialog(file, m_probe.Known(file), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace Player
