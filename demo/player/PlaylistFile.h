#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Player {

// One entry of a playlist file.
struct PlaylistEntry
{
    // An absolute local path, or a URL ("http://…", "dvd://…") kept as written.
    QString path;
    // Empty when the file names none.
    QString title;
    // −1 when the file does not say.
    qint64 durationMs = -1;

    bool operator==(const PlaylistEntry& other) const;
};

// Reads and writes the playlist files that players exchange: M3U and M3U8
// with their #EXTINF lines, PLS and XSPF. A playlist may come from anywhere,
// so the readers trust nothing in it: sizes, line lengths, entry counts and
// XML nesting are capped, and XML may declare no entities. A reader that
// meets a problem returns it and no entries at all, so that a bad file
// changes nothing.
class PlaylistFile
{
    Q_DECLARE_TR_FUNCTIONS(Player::PlaylistFile)

public:
    enum class Format
    {
        None,
        M3u,
        M3u8,
        Pls,
        Xspf
    };

    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    static constexpr int MaxLineLength = 64 * 1024;
    static constexpr int MaxEntries = 1000000;
    static constexpr int MaxXmlDepth = 32;
    // How deep Load() follows playlists that list playlists.
    static constexpr int MaxNesting = 8;

    struct Result
    {
        QVector<PlaylistEntry> entries;
        // Empty on success.
        QString error;
    };

    // The format the file's name says; None for any other file.
    static Format FormatOf(const QString& path);
    // "*.m3u8" and the like, for a file dialog.
    static QStringList NamePatterns();
    // File dialog filters, one per format, M3U8 first.
    static QStringList NameFilters();
    // The path, with the suffix of the filter's format appended unless the
    // path already names a format.
    static QString WithSuffix(const QString& path, const QString& nameFilter);

    // Relative locations are resolved against folder.
    static Result Read(const QByteArray& bytes, const QString& folder, Format format);
    // Local files below folder are written relative to it, others absolute.
    static QByteArray Write(
        const QVector<PlaylistEntry>& entries, const QString& folder, Format format);

    // Reads the file; an entry that is a local playlist is replaced by its own
    // entries, up to MaxNesting deep. A playlist that lists itself, directly
    // or through others, is an error.
    static Result Load(const QString& path);
    // Writes atomically, in the format the name says.
    static bool Save(const QString& path, const QVector<PlaylistEntry>& entries, QString* error);
};

} // namespace Player
