#pragma once

#include <QObject>
#include <QStringList>
#include <QThread>

namespace Player {

// Lists the media files below a folder on a thread of its own; a large tree
// or a slow network share keeps the window responsive meanwhile.
class FolderScanner : public QObject
{
    Q_OBJECT

public:
    explicit FolderScanner(QObject* parent = nullptr);
    ~FolderScanner() override;

    // Queues a scan; its Found follows, in request order.
    void Scan(const QString& folder);

    // The media files below the folder, recursively, sorted by path in a
    // natural order ("2" before "10").
    static QStringList List(const QString& folder);
    // Audio and video by the MIME database's file names; playlists are not
    // media here.
    static bool IsMediaFile(const QString& path);
    // The file name patterns of audio and video, for a file dialog.
    static QStringList NamePatterns();
    // The MIME type names of audio and video.
    static QStringList MediaTypes();

signals:
    void Found(QString folder, QStringList files);

private:
    QThread m_thread;
    QObject* m_worker; // lives on m_thread, deleted when it finishes
};

} // namespace Player
