#pragma once

#include <QString>
#include <QStringList>

namespace Player {

// The small set of files the player opens when it has nothing else: a video
// with two tagged audio tracks, an audio-only file and a file that is not
// media at all. Made with the ffmpeg command-line tool.
class SampleClips
{
public:
    // A chapter of the video, in whole seconds.
    struct Chapter
    {
        int start;
        int end;
        const char* title;
    };

    static const char* const VideoName;
    static const char* const AudioName;
    static const char* const BrokenName;
    static constexpr int VideoSeconds = 20;
    static constexpr int AudioSeconds = 6;
    static constexpr int VideoWidth = 320;
    static constexpr int VideoHeight = 240;
    static constexpr int VideoRate = 25;
    static const Chapter VideoChapters[3];

    // True when the ffmpeg tool can be found.
    static bool CanMake();

    // Makes whichever of the files is missing in the folder (created if
    // needed) and returns the paths of all three in play order; an empty list
    // when a file could not be made (the error in *error when given).
    static QStringList Make(const QString& folder, QString* error = nullptr);

private:
    static bool RunFfmpeg(const QStringList& arguments, const QString& target, QString* error);
};

} // namespace Player
