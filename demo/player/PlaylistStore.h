#pragma once

#include <QString>

namespace Tarvos::Core {
class Property;
}

namespace Player {

// Keeps the playlist tree in one file between runs. Writes are atomic; a
// saved file that cannot be read is moved aside, never overwritten, and the
// player simply starts with an empty list.
class PlaylistStore
{
public:
    static const char* const FileName;
    static const char* const CorruptSuffix;

    explicit PlaylistStore(const QString& filePath);

    // The file in the user's application-data folder.
    static QString DefaultPath();

    const QString& GetPath() const { return m_path; }

    // False when there is nothing to restore; the reason, if any, in *problem.
    bool Load(Tarvos::Core::Property& tree, QString* problem = nullptr);
    bool Save(const Tarvos::Core::Property& tree, QString* problem = nullptr);

private:
    bool MoveAside(QString* problem);

    QString m_path;
    // Set when a bad file could not be moved aside: saving would destroy it.
    bool m_saveBlocked = false;
};

} // namespace Player
