#include "SampleClips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace Player {

namespace {

const QString Ffmpeg = QStringLiteral("ffmpeg");
constexpr int FfmpegTimeoutMs = 60000;

} // namespace

const char* const SampleClips::VideoName = "Test pattern.mkv";
const char* const SampleClips::AudioName = "Tone.flac";
const char* const SampleClips::BrokenName = "Not a video.mp4";
const SampleClips::Chapter SampleClips::VideoChapters[3]
    = { { 0, 8, "Opening" }, { 8, 14, "Middle" }, { 14, VideoSeconds, "Finale" } };

bool SampleClips::CanMake()
{
    return !QStandardPaths::findExecutable(Ffmpeg).isEmpty();
}

QStringList SampleClips::Make(const QString& folder, QString* error)
{
    const QDir dir(folder);
    if (!QDir().mkpath(dir.absolutePath())) {
        if (error)
            *error = QStringLiteral("Cannot create %1").arg(folder);
        return {};
    }
    const QString video = dir.absoluteFilePath(QString::fromUtf8(VideoName));
    const QString audio = dir.absoluteFilePath(QString::fromUtf8(AudioName));
    const QString broken = dir.absoluteFilePath(QString::fromUtf8(BrokenName));

    const QString seconds = QString::number(VideoSeconds);
    // The video's chapters, in the metadata file format ffmpeg reads.
    const QString chapters = dir.absoluteFilePath(QStringLiteral("chapters.txt"));
    // A folder made before the video had chapters has no chapter file: its
    // video is made again, with them.
    const bool makeVideo = !QFileInfo::exists(video) || !QFileInfo::exists(chapters);
    if (makeVideo) {
        QFile::remove(video);
        QString text = QStringLiteral(";FFMETADATA1\n");
        for (const Chapter& chapter : VideoChapters)
            text += QStringLiteral("[CHAPTER]\nTIMEBASE=1/1000\nSTART=%1\nEND=%2\ntitle=%3\n")
                        .arg(chapter.start * 1000)
                        .arg(chapter.end * 1000)
                        .arg(QString::fromUtf8(chapter.title));
        QSaveFile file(chapters);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
            if (error)
                *error = QStringLiteral("Cannot write %1").arg(chapters);
            return {};
        }
    }
    const QStringList videoArguments = {
        // Picture and two tones of different pitch, so that a track switch is heard.
        QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("testsrc=size=%1x%2:rate=%3:duration=%4")
            .arg(VideoWidth)
            .arg(VideoHeight)
            .arg(VideoRate)
            .arg(seconds),
        QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("sine=frequency=440:duration=%1").arg(seconds), QStringLiteral("-f"),
        QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("sine=frequency=660:duration=%1").arg(seconds), QStringLiteral("-f"),
        QStringLiteral("ffmetadata"), QStringLiteral("-i"), chapters,
        QStringLiteral("-map_chapters"), QStringLiteral("3"), QStringLiteral("-map"),
        QStringLiteral("0:v"), QStringLiteral("-map"), QStringLiteral("1:a"),
        QStringLiteral("-map"), QStringLiteral("2:a"), QStringLiteral("-c:v"),
        QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
        QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-c:a"),
        QStringLiteral("aac"), QStringLiteral("-metadata:s:a:0"), QStringLiteral("language=eng"),
        QStringLiteral("-metadata:s:a:0"), QStringLiteral("title=Main"),
        QStringLiteral("-metadata:s:a:1"), QStringLiteral("language=fre"),
        QStringLiteral("-metadata:s:a:1"), QStringLiteral("title=Commentary"),
        // Without an explicit flag the video loses its default disposition.
        QStringLiteral("-disposition:v:0"), QStringLiteral("default"),
        QStringLiteral("-disposition:a:0"), QStringLiteral("default"),
        QStringLiteral("-disposition:a:1"), QStringLiteral("0"), QStringLiteral("-f"),
        QStringLiteral("matroska")
    };
    const QStringList audioArguments = { QStringLiteral("-f"), QStringLiteral("lavfi"),
        QStringLiteral("-i"), QStringLiteral("sine=frequency=523:duration=%1").arg(AudioSeconds),
        QStringLiteral("-c:a"), QStringLiteral("flac"), QStringLiteral("-f"),
        QStringLiteral("flac") };

    if (makeVideo && !RunFfmpeg(videoArguments, video, error))
        return {};
    if (!QFileInfo::exists(audio) && !RunFfmpeg(audioArguments, audio, error))
        return {};
    if (!QFileInfo::exists(broken)) {
        QSaveFile file(broken);
        if (!file.open(QIODevice::WriteOnly)
            || file.write("This is a text file with a video's name.\n") < 0 || !file.commit()) {
            if (error)
                *error = QStringLiteral("Cannot write %1").arg(broken);
            return {};
        }
    }
    return { video, audio, broken };
}

bool SampleClips::RunFfmpeg(const QStringList& arguments, const QString& target, QString* error)
{
    // Written under another name first, so that an interrupted run leaves no
    // half file that a later run would take for finished.
    const QString partial = target + QStringLiteral(".part");
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(Ffmpeg,
        QStringList { QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
            QStringLiteral("-y") }
            + arguments + QStringList { partial });
    const bool finished = ffmpeg.waitForFinished(FfmpegTimeoutMs);
    if (!finished || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0
        || !QFile::rename(partial, target)) {
        if (error)
            *error = QStringLiteral("ffmpeg could not make %1: %2")
                         .arg(target, QString::fromLocal8Bit(ffmpeg.readAll()).trimmed());
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace Player
