#include "Tour.h"

#include "FileInfoDialog.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/QtCompat.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "MainWindow.h"
#include "MpvEngine.h"
#include "PlaylistFile.h"
#include "PlaylistFind.h"
#include "PlaylistStore.h"
#include "PlaylistUndo.h"
#include "SampleClips.h"
#include "VideoWidget.h"
#include "host/Property.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>
#include <QUndoStack>
#include <cstdio>
#include <memory>

namespace Player {

namespace {

using Tarvos::avTime;
using Tarvos::Gui::PlaylistItemData;
using Layout = ControlPanel::Layout;
using Logic = Tarvos::Gui::PlaybackControlPanelLogic;

constexpr avTime Second = 1000000;
// Probed durations of encoded files run a few milliseconds long.
constexpr avTime DurationSlack = 100000;
constexpr avTime VideoDuration = SampleClips::VideoSeconds * Second;
constexpr avTime AudioDuration = SampleClips::AudioSeconds * Second;

constexpr int MaxTabStops = 40;
// Far less than the video takes to play from its start to where it was left.
constexpr int ResumedWithinMs = 3000;
// Every control of each panel in the order Tab reaches those enabled.
const QStringList WindowedTabOrder = { Logic::ProgressEditName, Logic::ProgressName,
    Logic::TotalEditName, Logic::PlayPauseName, Logic::StopName, Logic::ToBeginName,
    Logic::PrevFrameName, Logic::NextFrameName, Logic::ToEndName, Logic::InputViewModeName,
    Logic::OutputViewModeName, Logic::EffectsName, Logic::PlaylistName, Logic::ShuffleName,
    Logic::RepeatName, Logic::FullscreenName, QStringLiteral("mute"), QStringLiteral("volume") };
const QStringList FullscreenTabOrder = { Logic::PlayPauseName, Logic::StopName, Logic::ToBeginName,
    Logic::PrevFrameName, Logic::NextFrameName, Logic::ToEndName, Logic::ProgressEditName,
    Logic::ProgressName, Logic::TotalEditName, Logic::PlaylistName, Logic::ShuffleName,
    Logic::RepeatName, Logic::InputViewModeName, Logic::OutputViewModeName, Logic::EffectsName,
    Logic::FullscreenName, Logic::VolumeControlName };

QString Seconds(avTime time)
{
    return QString::number(double(time) / Second, 'f', 2) + QStringLiteral(" s");
}

template <class T> T* Control(MainWindow* window, Layout layout, const QString& name)
{
    return window->GetPanel(layout)->findChild<T*>(name);
}

Tarvos::Gui::PlaylistListView* ListView(MainWindow* window)
{
    return window->GetPlaylist()->findChild<Tarvos::Gui::PlaylistListView*>();
}

PlaylistItemData Entry(MainWindow* window, int row)
{
    const QAbstractItemModel* model = ListView(window)->model();
    return model->index(row, 0).data(Qt::DisplayRole).value<PlaylistItemData>();
}

int ActiveRow(MainWindow* window)
{
    const int count = ListView(window)->model()->rowCount();
    for (int row = 0; row < count; ++row) {
        if (Entry(window, row).GetActive())
            return row;
    }
    return -1;
}

QString DurationProblem(avTime actual, avTime expected)
{
    return actual >= expected && actual < expected + DurationSlack
        ? QString()
        : QStringLiteral("duration %1, expected %2").arg(Seconds(actual), Seconds(expected));
}

// The paths of the list's rows, in order.
QStringList Rows(MainWindow* window)
{
    QStringList rows;
    for (int row = 0; row < ListView(window)->model()->rowCount(); ++row)
        rows << QString::fromStdString(Entry(window, row).GetFilename().utf8string());
    return rows;
}

QMenu* SubMenu(QMenu* menu, const QString& name)
{
    return menu->findChild<QMenu*>(name);
}

QStringList Labels(QMenu* menu)
{
    QStringList labels;
    for (QAction* action : menu->actions())
        labels << action->text() + (action->isChecked() ? QStringLiteral(" [checked]") : QString());
    return labels;
}

QString FocusName(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The controls of panel that Tab reaches, from the one focused now, once
// round or until the focus leaves the panel. A time field keeps the focus
// while Tab steps through its sections.
QStringList TabWalk(const QWidget* panel)
{
    QStringList names;
    for (int stop = 0; stop < MaxTabStops; ++stop) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !panel->isAncestorOf(focus))
            break;
        const QString name = FocusName(focus);
        if (names.isEmpty() || names.last() != name) {
            if (names.contains(name))
                break;
            names << name;
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focus, &tab);
    }
    return names;
}

QString TabWalkProblem(const QWidget* panel, const QStringList& expected)
{
    if (!QApplication::focusWidget() || !panel->isAncestorOf(QApplication::focusWidget()))
        return QStringLiteral("the focus is not in the panel");
    QStringList enabled;
    for (const QString& name : expected) {
        if (panel->findChild<QWidget*>(name)->isEnabled())
            enabled << name;
    }
    const QStringList walked = TabWalk(panel);
    return walked == enabled ? QString()
                             : QStringLiteral("Tab walks ") + walked.join(QStringLiteral(", "));
}

void DoubleClick(QWidget* widget, const QPoint& position)
{
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
             QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease }) {
        QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

void PressEnter(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Does what the key does: fires the window's shortcut or action bound to it.
void PressShortcut(MainWindow* window, const QKeySequence& keys)
{
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (shortcut->key() == keys)
            emit shortcut->activated();
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->shortcut() == keys)
            action->trigger();
    }
}

void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

// Empty when the rows hold the samples in this order, the broken file active.
QString OrderProblem(MainWindow* window, const QStringList& expected)
{
    QStringList names;
    for (int row = 0; row < ListView(window)->model()->rowCount(); ++row)
        names << QFileInfo(QString::fromStdString(Entry(window, row).GetName())).fileName();
    if (names != expected)
        return QStringLiteral("rows ") + names.join(QStringLiteral(", "));
    return ActiveRow(window) == 2 ? QString()
                                  : QStringLiteral("row %1 is active").arg(ActiveRow(window));
}

QString CurrentRowProblem(MainWindow* window, int row)
{
    const int current = ListView(window)->currentIndex().row();
    return current == row ? QString() : QStringLiteral("row %1 is current").arg(current);
}

// Drags the row to the position (viewport coordinates) with the left button.
// The drag runs its own event loop, so the move over the drop and the release
// come from timers started before it; it follows them as it follows the
// window system's events, from their global positions.
void DragRow(QAbstractItemView* view, int row, const QPoint& to)
{
    QWidget* viewport = view->viewport();
    const auto send = [viewport](QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        QMouseEvent event(
            type, at, viewport->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    QTimer::singleShot(
        Tour::PollMs, viewport, [send, to] { send(QEvent::MouseMove, to, Qt::LeftButton); });
    QTimer::singleShot(
        2 * Tour::PollMs, viewport, [send, to] { send(QEvent::MouseButtonRelease, to, {}); });
    const QPoint from = view->visualRect(view->model()->index(row, 0)).center();
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    // The view takes the first move as the start of a drag, the next one past
    // the drag distance starts it.
    for (int move = 1; move <= 2; ++move)
        send(QEvent::MouseMove, from + QPoint(0, move * QApplication::startDragDistance()),
            Qt::LeftButton);
}

} // namespace

Tour::Tour(
    MainWindow* window, const QStringList& samples, const QString& pictureFolder, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_samples(samples)
    , m_pictures(pictureFolder)
{
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &Tour::Poll);
    connect(
        window, &MainWindow::FileStarted, this, [this](const QString& path) { m_started << path; });
    BuildSteps();
}

void Tour::Start()
{
    m_pictures.mkpath(QStringLiteral("."));
    m_current = 0;
    m_failures = 0;
    RunStep();
}

void Tour::BuildSteps()
{
    MainWindow* w = m_window;

    m_steps.push_back({ "playlist", [] {},
        [w]() -> QString {
            if (ListView(w)->model()->rowCount() != 3)
                return QStringLiteral("%1 rows").arg(ListView(w)->model()->rowCount());
            if (!Entry(w, 0).GetInfo() || !Entry(w, 1).GetInfo())
                return QStringLiteral("the samples are not described yet");
            if (Entry(w, 2).IsValid())
                return QStringLiteral("the non-media file is not marked invalid");
            const QString video = DurationProblem(Entry(w, 0).GetFileDuration(), VideoDuration);
            return !video.isEmpty() ? video
                                    : DurationProblem(Entry(w, 1).GetFileDuration(), AudioDuration);
        },
        Picture::Window, {} });

    m_steps.push_back({ "play",
        [w] {
            auto* view = ListView(w);
            DoubleClick(view->viewport(), view->visualRect(view->model()->index(0, 0)).center());
        },
        [w]() -> QString {
            if (ActiveRow(w) != 0)
                return QStringLiteral("row %1 is active").arg(ActiveRow(w));
            auto* play = Control<QAbstractButton>(w, Layout::Windowed, Logic::PlayPauseName);
            if (play->property("isPlay").toBool())
                return QStringLiteral("the play button does not show playback");
            auto* total = Control<Tarvos::Gui::TimeEdit>(w, Layout::Windowed, Logic::TotalEditName);
            const avTime shown = avTime(QTime(0, 0).msecsTo(total->time())) * 1000;
            if (shown < VideoDuration || shown > VideoDuration + DurationSlack)
                return QStringLiteral("the total time shows %1").arg(total->text());
            const avTime position = w->GetEngine()->GetPosition();
            auto* slider
                = Control<Tarvos::Gui::TimelineSlider>(w, Layout::Windowed, Logic::ProgressName);
            // Real playback moves the position on, and the panel with it.
            const avTime shownPosition = slider->position2time(slider->value());
            if (position < 2 * Second || shownPosition < 2 * Second - Second / 10)
                return QStringLiteral("position %1, timeline %2")
                    .arg(Seconds(position), Seconds(shownPosition));
            return QString();
        },
        Picture::Window, {} });

    m_steps.push_back({ "seek",
        [w] {
            auto* edit
                = Control<Tarvos::Gui::TimeEdit>(w, Layout::Windowed, Logic::ProgressEditName);
            edit->setTime(QTime(0, 0, 6));
            PressEnter(edit);
        },
        [w]() -> QString {
            const avTime position = w->GetEngine()->GetPosition();
            if (position < 6 * Second || position >= 8 * Second)
                return QStringLiteral("position %1 after seeking to 6 s").arg(Seconds(position));
            // A screen reader hears the timeline as a time against the whole.
            auto* slider
                = Control<Tarvos::Gui::TimelineSlider>(w, Layout::Windowed, Logic::ProgressName);
            const QString spoken
                = QAccessible::queryAccessibleInterface(slider)->text(QAccessible::Value);
            return QRegularExpression(
                       QStringLiteral("^0:0[6-8] of 0:%1$").arg(SampleClips::VideoSeconds))
                       .match(spoken)
                       .hasMatch()
                ? QString()
                : QStringLiteral("the timeline reads \"%1\"").arg(spoken);
        },
        Picture::Window, {} });

    m_steps.push_back({ "preview",
        [w] {
            // The mouse rests over the timeline at 10 s, in the middle chapter.
            auto* slider
                = Control<Tarvos::Gui::TimelineSlider>(w, Layout::Windowed, Logic::ProgressName);
            const int usable = slider->width() - 2 * slider->grooveOffset();
            const avTime duration = slider->position2time(slider->maximum());
            const QPoint point(slider->grooveOffset() + int(usable * 10 * Second / duration),
                slider->height() / 2);
            QMouseEvent move(QEvent::MouseMove, point, slider->mapToGlobal(point), Qt::NoButton,
                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(slider, &move);
        },
        [w]() -> QString {
            const QStringList chapters = Labels(w->GetChapterMenu());
            if (chapters != QStringList({ "Opening", "Middle", "Finale" }))
                return QStringLiteral("the chapter menu lists %1").arg(chapters.join(", "));
            auto* slider
                = Control<Tarvos::Gui::TimelineSlider>(w, Layout::Windowed, Logic::ProgressName);
            auto* frame = slider->findChild<QFrame*>(QStringLiteral("TimelinePreview"));
            if (!frame || !frame->isVisible())
                return QStringLiteral("no preview shows");
            const QList<QLabel*> labels = frame->findChildren<QLabel*>();
            const QString text = labels.at(1)->text();
            if (!text.endsWith(QStringLiteral("\nMiddle")))
                return QStringLiteral("the preview says \"%1\"").arg(text);
            const QImage picture = Tarvos::Gui::QtCompat::LabelPixmap(labels.at(0)).toImage();
            // The test pattern is coloured: a blank picture would be one grey.
            return picture.width() > 100
                    && picture.pixel(picture.width() / 4, picture.height() / 4)
                        != picture.pixel(picture.width() * 3 / 4, picture.height() / 4)
                ? QString()
                : QStringLiteral("the preview shows no picture of the video");
        },
        Picture::Screen,
        [w] {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(
                Control<QWidget>(w, Layout::Windowed, Logic::ProgressName), &leave);
        } });

    // The most playback has reached since the loop was set.
    auto furthest = std::make_shared<avTime>(0);
    m_steps.push_back({ "loop",
        [w, furthest] {
            *furthest = 0;
            // Set on the timeline as a drag would, played across its end.
            Control<Tarvos::Gui::TimelineSlider>(w, Layout::Windowed, Logic::ProgressName)
                ->SetLoop(9 * Second, 11 * Second);
            w->OnSeek(10 * Second);
        },
        [w, furthest]() -> QString {
            const avTime position = w->GetEngine()->GetPosition();
            *furthest = std::max(*furthest, position);
            if (!Control<Tarvos::Gui::TimelineSlider>(w, Layout::Fullscreen, Logic::ProgressName)
                     ->HasLoop())
                return QStringLiteral("the full-screen timeline shows no loop");
            return *furthest > 10 * Second + Second / 2 && position >= 9 * Second
                    && position < 10 * Second
                ? QString()
                : QStringLiteral("position %1, furthest %2")
                      .arg(Seconds(position), Seconds(*furthest));
        },
        Picture::Window,
        [w] {
            // The loop key's third press clears the loop.
            PressShortcut(w, Qt::Key_L);
            w->OnSeek(6 * Second);
        } });

    m_steps.push_back({ "keyboard", [w] { w->activateWindow(); },
        [w]() -> QString {
            // Without a window manager a window takes the focus a little after it asked.
            if (!w->isActiveWindow())
                return QStringLiteral("the window is not active");
            Control<QWidget>(w, Layout::Windowed, Logic::ProgressEditName)
                ->setFocus(Qt::TabFocusReason);
            const QString problem = TabWalkProblem(w->GetPanel(Layout::Windowed), WindowedTabOrder);
            // The picture shows how a focused button looks.
            Control<QWidget>(w, Layout::Windowed, Logic::PlayPauseName)
                ->setFocus(Qt::TabFocusReason);
            return problem;
        },
        Picture::Window, {} });

    m_steps.push_back({ "track-menu",
        [w] {
            // The menu runs its own event loop; the tour's timer goes on inside it.
            QTimer::singleShot(0, w, [w] {
                auto* view = ListView(w);
                emit view->customContextMenuRequested(
                    view->visualRect(view->model()->index(0, 0)).center());
            });
        },
        [w]() -> QString {
            QMenu* menu = w->GetContextMenu();
            if (!menu->isVisible())
                return QStringLiteral("the context menu is not shown");
            QMenu* audio = SubMenu(menu, Tarvos::Gui::PlaylistListView::AudioTrackName);
            QMenu* video = SubMenu(menu, Tarvos::Gui::PlaylistListView::VideoTrackName);
            const QStringList audioLabels = Labels(audio);
            const QStringList expectedAudio = { QStringLiteral("1) eng, Main(AAC) [checked]"),
                QStringLiteral("2) fre, Commentary(AAC)") };
            if (audioLabels != expectedAudio)
                return QStringLiteral("audio tracks: ") + audioLabels.join(QStringLiteral(" | "));
            const QStringList expectedVideo
                = { QStringLiteral("1) 320:240, 25.00 FPS (H.264 / AVC) [checked]") };
            if (Labels(video) != expectedVideo)
                return QStringLiteral("video tracks: ") + Labels(video).join(QStringLiteral(" | "));
            if (!audio->isVisible()) {
                menu->setActiveAction(audio->menuAction());
                return QStringLiteral("the audio sub-menu is not open");
            }
            return QString();
        },
        Picture::Screen,
        [w] {
            // Picking the second track ends the menu as a user's click would.
            SubMenu(w->GetContextMenu(), Tarvos::Gui::PlaylistListView::AudioTrackName)
                ->actions()
                .at(1)
                ->trigger();
            w->GetContextMenu()->close();
        } });

    m_steps.push_back({ "file-information",
        [w] {
            w->GetContextMenu()
                ->findChild<QAction*>(Tarvos::Gui::PlaylistListView::FileInformationName)
                ->trigger();
        },
        [w]() -> QString {
            auto* dialog = w->findChild<FileInfoDialog*>();
            if (!dialog || !dialog->isVisible())
                return QStringLiteral("no file information dialog");
            if (dialog->GetTree()
                    ->findItems(QStringLiteral("matroska,webm"), Qt::MatchExactly, 1)
                    .isEmpty())
                return QStringLiteral("the dialog does not name the format");
            if (Entry(w, 0).GetSelectedAudioStream() != 2)
                return QStringLiteral("the chosen audio track is not kept");
            return QString();
        },
        Picture::Screen, [w] { w->findChild<FileInfoDialog*>()->close(); } });

    m_steps.push_back({ "fullscreen",
        [w] { Control<QAbstractButton>(w, Layout::Windowed, Logic::FullscreenName)->click(); },
        [w]() -> QString {
            QWidget* panel = w->GetPanel(Layout::Fullscreen);
            const QRect screen = w->screen()->geometry();
            if (!w->isFullScreen() || !panel->isVisible())
                return QStringLiteral("not full screen");
            if (panel->geometry().width() != screen.width()
                || panel->geometry().top() != screen.bottom() - panel->height())
                return QStringLiteral("the panel is at %1,%2 %3x%4")
                    .arg(panel->x())
                    .arg(panel->y())
                    .arg(panel->width())
                    .arg(panel->height());
            auto* slider
                = Control<Tarvos::Gui::TimelineSlider>(w, Layout::Fullscreen, Logic::ProgressName);
            return slider->position2time(slider->value()) > 6 * Second
                ? QString()
                : QStringLiteral("the full-screen timeline does not follow playback");
        },
        Picture::Screen, {} });

    m_steps.push_back({ "panel-hidden", [w] { QCursor::setPos(w->screen()->geometry().center()); },
        [w]() -> QString {
            QWidget* panel = w->GetPanel(Layout::Fullscreen);
            return panel->geometry().top() == w->screen()->geometry().bottom()
                ? QString()
                : QStringLiteral("the panel's top is at %1").arg(panel->geometry().top());
        },
        Picture::Screen, {} });

    m_steps.push_back({ "fullscreen-keyboard",
        [w] {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(w->GetVideo(), &tab);
        },
        [w]() -> QString {
            QWidget* panel = w->GetPanel(Layout::Fullscreen);
            const int shownTop = w->screen()->geometry().bottom() - panel->height();
            if (panel->geometry().top() != shownTop)
                return QStringLiteral("Tab leaves the panel's top at %1").arg(panel->y());
            return TabWalkProblem(panel, FullscreenTabOrder);
        },
        Picture::Screen, {} });

    m_steps.push_back({ "panel-shown",
        [w] { QCursor::setPos(w->screen()->geometry().center() + QPoint(40, 20)); },
        [w]() -> QString {
            QWidget* panel = w->GetPanel(Layout::Fullscreen);
            const int shownTop = w->screen()->geometry().bottom() - panel->height();
            return panel->geometry().top() == shownTop
                ? QString()
                : QStringLiteral("the panel's top is at %1").arg(panel->geometry().top());
        },
        Picture::Screen, {} });

    m_steps.push_back({ "next-file",
        [w] {
            Control<QAbstractButton>(w, Layout::Fullscreen, Logic::FullscreenName)->click();
            Control<QAbstractButton>(w, Layout::Windowed, Logic::ToEndName)->click();
        },
        [this, w]() -> QString {
            if (w->isFullScreen() || w->GetPanel(Layout::Fullscreen)->isVisible())
                return QStringLiteral("still full screen");
            if (ActiveRow(w) != 1)
                return QStringLiteral("row %1 is active").arg(ActiveRow(w));
            auto* total = Control<Tarvos::Gui::TimeEdit>(w, Layout::Windowed, Logic::TotalEditName);
            const avTime shown = avTime(QTime(0, 0).msecsTo(total->time())) * 1000;
            if (shown != AudioDuration + 1000)
                return QStringLiteral("the total time shows %1").arg(total->text());
            if (m_started.isEmpty() || m_started.last() != m_samples[1])
                return QStringLiteral("the engine has not started %1").arg(m_samples[1]);
            const avTime position = w->GetEngine()->GetPosition();
            return position > Second / 2 && position < AudioDuration
                ? QString()
                : QStringLiteral("position %1").arg(Seconds(position));
        },
        Picture::Window, {} });

    m_steps.push_back({ "end-of-file", [w] { w->OnSeek(AudioDuration - Second / 2); },
        [w]() -> QString {
            // The end steps on to the unreadable file, which leaves the panel empty.
            if (ActiveRow(w) != 2)
                return QStringLiteral("row %1 is active").arg(ActiveRow(w));
            auto* slider
                = Control<Tarvos::Gui::TimelineSlider>(w, Layout::Windowed, Logic::ProgressName);
            if (slider->isEnabled())
                return QStringLiteral("the timeline is still enabled");
            return w->GetVideo()->GetCaption().contains(QString::fromUtf8(SampleClips::BrokenName))
                ? QString()
                : QStringLiteral("the picture's place does not say the file cannot be played");
        },
        Picture::Window, {} });

    m_steps.push_back({ "saved", [w] { w->SavePlaylist(); },
        [w]() -> QString {
            PlaylistStore store(w->GetStore().GetPath());
            Tarvos::Core::Property tree;
            if (!store.Load(tree))
                return QStringLiteral("nothing saved at %1").arg(store.GetPath());
            if (tree.Count() != 3 || !tree[2u].ChildExists("active")
                || tree[0u]["audiostream"].GetInt64() != 2)
                return QStringLiteral("the saved tree does not match the playlist");
            return QString();
        },
        Picture::None, {} });

    const QString video = QString::fromUtf8(SampleClips::VideoName);
    const QString audio = QString::fromUtf8(SampleClips::AudioName);
    const QString broken = QString::fromUtf8(SampleClips::BrokenName);
    const QStringList moved = { audio, video, broken };
    m_steps.push_back({ "move-by-keyboard",
        [w] {
            ListView(w)->setCurrentIndex(ListView(w)->model()->index(0, 0));
            PressShortcut(w, Qt::CTRL | Qt::Key_Down);
        },
        [w, moved]() -> QString {
            const QString undo = w->GetUndo()->GetStack()->undoText();
            if (undo != QStringLiteral("Move 1 file down"))
                return QStringLiteral("the step to undo is \"%1\"").arg(undo);
            const QString order = OrderProblem(w, moved);
            return order.isEmpty() ? CurrentRowProblem(w, 1) : order;
        },
        Picture::None, {} });
    m_steps.push_back({ "move-undone", [w] { PressShortcut(w, Qt::CTRL | Qt::Key_Z); },
        [w, video, audio, broken] {
            return OrderProblem(w, { video, audio, broken });
        },
        Picture::None, {} });
    m_steps.push_back({ "move-redone", [w] { PressShortcut(w, Qt::CTRL | Qt::SHIFT | Qt::Key_Z); },
        [w, moved] { return OrderProblem(w, moved); }, Picture::None, {} });

    // ".m" is in the video's and the broken file's names, not in the audio's.
    m_steps.push_back({ "find",
        [w] {
            PressShortcut(w, QKeySequence::Find);
            Type(w->GetFind()->GetField(), QStringLiteral(".M"));
        },
        [w]() -> QString {
            // The window's focus, which it has whether or not it is the active one.
            if (!w->GetFind()->isVisible() || w->focusWidget() != w->GetFind()->GetField())
                return QStringLiteral("the find field is not shown with the focus");
            return CurrentRowProblem(w, 1);
        },
        Picture::Window, {} });
    m_steps.push_back({ "find-next", [w] { PressShortcut(w, Qt::Key_F3); },
        [w] { return CurrentRowProblem(w, 2); }, Picture::None, {} });
    m_steps.push_back({ "find-wraps", [w] { PressShortcut(w, Qt::Key_F3); },
        [w] { return CurrentRowProblem(w, 1); }, Picture::None, {} });
    m_steps.push_back({ "find-closed",
        [w] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w->GetFind()->GetField(), &escape);
        },
        [w] {
            return w->GetFind()->isVisible() ? QStringLiteral("the find bar is still shown")
                                             : QString();
        },
        Picture::None, {} });

    // The first row dropped with the marker on the second goes below it.
    const QStringList dragged = { video, audio, broken };
    m_steps.push_back({ "drag-move",
        [w] {
            QTimer::singleShot(0, w, [w] {
                auto* view = ListView(w);
                DragRow(view, 0,
                    view->visualRect(view->model()->index(1, 0)).center()
                        + QPoint(0, Tarvos::Gui::PlaylistListView::DropMarkerOffset));
            });
        },
        [w, dragged]() -> QString {
            const QString undo = w->GetUndo()->GetStack()->undoText();
            if (undo != QStringLiteral("Move 1 file"))
                return QStringLiteral("the step to undo is \"%1\"").arg(undo);
            return OrderProblem(w, dragged);
        },
        Picture::None, {} });
    m_steps.push_back({ "drag-undone", [w] { PressShortcut(w, Qt::CTRL | Qt::Key_Z); },
        [w, moved] { return OrderProblem(w, moved); }, Picture::None, {} });
    m_steps.push_back({ "edit-menu",
        [w] {
            w->menuBar()->setActiveAction(
                w->menuBar()->findChild<QMenu*>(QStringLiteral("EditMenu"))->menuAction());
        },
        [w]() -> QString {
            QMenu* edit = w->menuBar()->findChild<QMenu*>(QStringLiteral("EditMenu"));
            if (!edit->isVisible())
                return QStringLiteral("the edit menu is not shown");
            const QStringList labels = Labels(edit).mid(0, 2);
            return labels
                    == QStringList({ QStringLiteral("Undo Move 1 file down"),
                        QStringLiteral("Redo Move 1 file") })
                ? QString()
                : QStringLiteral("the edit menu begins ") + labels.join(QStringLiteral(" | "));
        },
        Picture::Screen,
        [w] { w->menuBar()->findChild<QMenu*>(QStringLiteral("EditMenu"))->close(); } });
    m_steps.push_back({ "drag-redone", [w] { PressShortcut(w, Qt::CTRL | Qt::SHIFT | Qt::Key_Z); },
        [w, dragged] { return OrderProblem(w, dragged); }, Picture::None, {} });

    // Saved as M3U8 and opened again: the file's entries replace the list.
    const auto savedRows = std::make_shared<QStringList>();
    m_steps.push_back({ "playlist-file",
        [this, w, savedRows] {
            *savedRows = Rows(w);
            const QString path = m_pictures.filePath(QStringLiteral("tour.m3u8"));
            QString error;
            if (!w->SavePlaylistFile(path, &error) || !w->OpenPlaylistFile(path, true, &error))
                std::printf("%s\n", qPrintable(error));
        },
        [this, w, savedRows]() -> QString {
            const PlaylistFile::Result read
                = PlaylistFile::Load(m_pictures.filePath(QStringLiteral("tour.m3u8")));
            QStringList listed;
            QMap<QString, qint64> durations;
            for (const PlaylistEntry& entry : read.entries) {
                listed << entry.path;
                durations.insert(entry.path, entry.durationMs);
            }
            if (listed != *savedRows || Rows(w) != *savedRows)
                return QStringLiteral("the file lists %1; the playlist %2")
                    .arg(listed.join(QLatin1Char(' ')), Rows(w).join(QLatin1Char(' ')));
            if (durations.value(m_samples[0]) != VideoDuration / 1000
                || durations.value(m_samples[1]) != AudioDuration / 1000)
                return QStringLiteral("durations %1 and %2 ms in the file")
                    .arg(durations.value(m_samples[0]))
                    .arg(durations.value(m_samples[1]));
            return ActiveRow(w) < 0 ? QString()
                                    : QStringLiteral("the list was not replaced: a row is active");
        },
        Picture::Window, {} });

    // The video, left at 8 s for the tone, starts again where it was left.
    const auto playSample
        = [this, w](int sample) { w->PlayRow(int(Rows(w).indexOf(m_samples[sample]))); };
    const auto startedProblem = [this](int sample, int after) -> QString {
        return m_started.size() > after && m_started.last() == m_samples[sample]
            ? QString()
            : QStringLiteral("the engine has not started %1").arg(m_samples[sample]);
    };
    const auto started = std::make_shared<int>();
    const auto left = std::make_shared<avTime>();
    m_steps.push_back({ "resume-left",
        [this, playSample, started] {
            *started = m_started.size();
            playSample(0);
        },
        [w, startedProblem, started]() -> QString {
            const QString problem = startedProblem(0, *started);
            return !problem.isEmpty() || w->GetEngine()->GetPosition() > 0
                ? problem
                : QStringLiteral("the video does not play");
        },
        Picture::None, {} });
    m_steps.push_back({ "resume-seek", [w] { w->OnSeek(8 * Second); },
        [w]() -> QString {
            const avTime position = w->GetEngine()->GetPosition();
            return position >= 8 * Second && position < 9 * Second
                ? QString()
                : QStringLiteral("position %1 after seeking to 8 s").arg(Seconds(position));
        },
        Picture::None, {} });
    m_steps.push_back({ "resume-remembered",
        [this, playSample, started] {
            *started = m_started.size();
            playSample(1);
        },
        [this, w, startedProblem, started, left]() -> QString {
            *left = w->GetResume().Recall(m_samples[0]).position;
            if (*left < 8 * Second || *left > 10 * Second)
                return QStringLiteral("the video was left at %1").arg(Seconds(*left));
            return startedProblem(1, *started);
        },
        Picture::None, {} });
    m_steps.push_back({ "resumed",
        [this, playSample, started] {
            *started = m_started.size();
            playSample(0);
        },
        [this, w, startedProblem, started, left]() -> QString {
            // The commentary, picked in the track menu, is the list's choice again.
            const int chosen
                = Entry(w, int(Rows(w).indexOf(m_samples[0]))).GetSelectedAudioStream();
            if (chosen != 2)
                return QStringLiteral("the list's audio choice is stream %1").arg(chosen);
            // From the start the video would take seconds to get there.
            const avTime position = w->GetEngine()->GetPosition();
            if (!startedProblem(0, *started).isEmpty() || m_stepClock.elapsed() > ResumedWithinMs
                || position + Second / 10 < *left || position > *left + 2 * Second)
                return QStringLiteral("position %1 after %2 ms, left at %3")
                    .arg(Seconds(position))
                    .arg(m_stepClock.elapsed())
                    .arg(Seconds(*left));
            return QString();
        },
        Picture::Window, {} });
}

void Tour::RunStep()
{
    if (m_current >= m_steps.size()) {
        std::printf("Tour finished: %d of %zu steps failed; pictures in %s\n", m_failures,
            m_steps.size(), qPrintable(m_pictures.absolutePath()));
        std::fflush(stdout);
        emit Finished(m_failures);
        return;
    }
    m_steps[m_current].act();
    m_stepClock.start();
    m_poll.start();
}

void Tour::Poll()
{
    const QString problem = m_steps[m_current].check();
    if (problem.isEmpty() || m_stepClock.elapsed() > StepTimeoutMs)
        FinishStep(problem);
}

void Tour::FinishStep(const QString& problem)
{
    m_poll.stop();
    // Windows that just moved or appeared reach the X server's screen a
    // little later than the widgets know of them.
    const int settle = m_steps[m_current].picture == Picture::Screen ? SettleMs : 0;
    QTimer::singleShot(settle, this, [this, problem] { CompleteStep(problem); });
}

void Tour::CompleteStep(const QString& problem)
{
    const Step& step = m_steps[m_current];
    if (step.picture != Picture::None) {
        const QString file = m_pictures.filePath(
            QStringLiteral("%1-%2.png").arg(m_current + 1, 2, 10, QLatin1Char('0')).arg(step.name));
        Grab(step.picture).save(file);
    }
    if (problem.isEmpty()) {
        std::printf(
            "PASS %s (%lld ms)\n", step.name, static_cast<long long>(m_stepClock.elapsed()));
    } else {
        ++m_failures;
        std::printf("FAIL %s: %s\n", step.name, qPrintable(problem));
    }
    std::fflush(stdout);
    if (step.after)
        step.after();
    ++m_current;
    // Leaves the event loop of a menu the step closed before the next one acts.
    QTimer::singleShot(0, this, &Tour::RunStep);
}

QPixmap Tour::Grab(Picture picture) const
{
    if (picture == Picture::Window)
        return m_window->grab();
    // Menus, dialogs and the full-screen panel are windows of their own:
    // the picture takes the part of the screen that all of them cover.
    QRect covered;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            covered |= widget->frameGeometry();
    }
    const QRect screen = m_window->screen()->geometry();
    return m_window->screen()->grabWindow(0).copy(covered & screen);
}

} // namespace Player
