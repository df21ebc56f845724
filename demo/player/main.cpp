#include "MainWindow.h"
#include "SampleClips.h"
#include "Tour.h"
#include "VideoWidget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <glog/logging.h>

namespace {

QString StyleSheet()
{
    QFile file(QStringLiteral(":/player/player.qss"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs once the video widget can take pictures: a file opened earlier would
// play without them.
template <class Start> void WhenVideoIsReady(Player::MainWindow* window, Start start)
{
    Player::VideoWidget* video = window->GetVideo();
    if (video->IsInitialized())
        QTimer::singleShot(0, window, start);
    else
        QObject::connect(
            video, &Player::VideoWidget::Initialized, window, start, Qt::QueuedConnection);
}

} // namespace

// The reference player. Without files on the command line it restores the
// saved playlist, or lists the sample clips when nothing was saved. With
// --tour it plays a scripted run, saves pictures of it and exits non-zero if
// any step did not see what it expected.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("reelkit-player"));
    QApplication::setOrganizationName(QStringLiteral("Reelkit"));
    QApplication::setApplicationDisplayName(QStringLiteral("Reelkit Player"));
    // libmpv reads numbers the C way whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    google::InitGoogleLogging(argv[0]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A media player built on Reelkit."));
    parser.addHelpOption();
    const QCommandLineOption tour(QStringLiteral("tour"),
        QStringLiteral("Play a scripted tour of the samples, save a picture of each step into "
                       "<folder> and quit."),
        QStringLiteral("folder"));
    const QCommandLineOption samples(QStringLiteral("samples"),
        QStringLiteral("Where the sample clips are kept (made there when missing)."),
        QStringLiteral("folder"), QStringLiteral(REELKIT_PLAYER_SAMPLES));
    const QCommandLineOption audio(QStringLiteral("audio-output"),
        QStringLiteral("mpv's audio output (\"null\" for none)."), QStringLiteral("name"),
        QStringLiteral("auto"));
    parser.addOptions({ tour, samples, audio });
    parser.addPositionalArgument(
        QStringLiteral("files"), QStringLiteral("Files to play."), QStringLiteral("[files...]"));
    parser.process(app);
    app.setStyleSheet(StyleSheet());

    const bool touring = parser.isSet(tour);
    Player::MainWindow::Options options;
    options.audioOutput = parser.value(audio).toStdString();
    if (touring) {
        // The tour keeps its playlist beside its pictures, away from the user's.
        options.storePath = QDir(parser.value(tour))
                                .filePath(QString::fromLatin1(Player::PlaylistStore::FileName));
        QFile::remove(options.storePath);
        QFile::remove(
            QDir(parser.value(tour)).filePath(QString::fromLatin1(Player::ResumeStore::FileName)));
        options.audioOutput = "null";
        options.panelHideDelay = 800;
        // Previews decoded afresh each tour, kept beside its pictures.
        options.previewCache = QDir(parser.value(tour)).filePath(QStringLiteral("previews"));
        QDir(options.previewCache).removeRecursively();
    }

    QStringList sampleFiles;
    QStringList files;
    for (const QString& file : parser.positionalArguments())
        files << QFileInfo(file).absoluteFilePath();
    if (touring || files.isEmpty()) {
        QString error;
        if (Player::SampleClips::CanMake())
            sampleFiles = Player::SampleClips::Make(parser.value(samples), &error);
        if (sampleFiles.isEmpty()) {
            std::fprintf(stderr, "No sample clips: %s\n",
                error.isEmpty() ? "ffmpeg is not installed" : qPrintable(error));
            if (touring)
                return 1;
        }
    }

    Player::MainWindow window(options);
    window.show();
    window.activateWindow();

    Player::Tour* scripted = nullptr;
    if (touring) {
        scripted = new Player::Tour(&window, sampleFiles, parser.value(tour), &window);
        QObject::connect(scripted, &Player::Tour::Finished, &app, [&window](int failures) {
            window.close();
            QApplication::exit(failures == 0 ? 0 : 1);
        });
    }
    WhenVideoIsReady(&window, [&window, scripted, files, sampleFiles] {
        if (scripted) {
            window.AddFiles(sampleFiles, false);
            scripted->Start();
        } else if (!files.isEmpty()) {
            window.AddFiles(files, true);
        } else if (!window.RestorePlaylist()) {
            window.AddFiles(sampleFiles, false);
        }
    });
    return app.exec();
}
