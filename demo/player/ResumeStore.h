#pragma once

#include "host/avTime.h"

#include <QString>
#include <QVector>

namespace Player {

// Remembers where each file was left: its position and the chosen audio and
// video streams, for the most recent files. Kept in one small file beside the
// saved playlist and written atomically; a file that cannot be read is
// ignored, as losing the places is no great harm.
class ResumeStore
{
public:
    static const char* const FileName;
    // The oldest file is forgotten beyond this many.
    static constexpr int MaxFiles = 500;
    // A position this close to the end, in percent of the duration, counts
    // as finished: the file starts over.
    static constexpr int FinishedPercent = 5;
    // Far more than MaxFiles entries take; a larger file is not read.
    static constexpr qint64 MaxFileSize = 4 << 20;

    struct Point
    {
        Tarvos::avTime position = 0;
        // The playlist's stream numbers; −1 when the file's default was used.
        int audioStream = -1;
        int videoStream = -1;
    };

    explicit ResumeStore(const QString& filePath);

    const QString& GetPath() const { return m_path; }
    int GetCount() const { return m_files.size(); }

    // Whether files start where they were left; the streams are restored either way.
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    // Forgets what was remembered and reads the file; false when it was
    // missing or unreadable, with the reason of the latter in *problem.
    bool Load(QString* problem = nullptr);
    bool Save(QString* problem = nullptr) const;

    // Makes the file the most recent one. A finished file keeps its streams
    // and starts over.
    void Remember(const QString& path, Point point, Tarvos::avTime duration);
    // Where the file was left; nothing when it changed since.
    Point Recall(const QString& path) const;

private:
    struct File
    {
        QString key;
        qint64 size;
        qint64 modified;
        Point point;
    };

    static File Describe(const QString& path);
    int IndexOf(const QString& key) const;
    void DropOldest();

    QString m_path;
    bool m_enabled = true;
    // The most recent file last.
    QVector<File> m_files;
};

} // namespace Player
