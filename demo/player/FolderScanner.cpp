#include "FolderScanner.h"

#include "PlaylistFile.h"

#include <QCollator>
#include <QDirIterator>
#include <QMimeDatabase>
#include <algorithm>

namespace Player {

namespace {

// Containers that the MIME database files under neither audio/ nor video/.
const char* const OtherMediaTypes[] = { "application/vnd.ms-asf", "application/vnd.rn-realmedia" };

// Chosen by name: opening every file of a large folder to sniff it would take
// far longer than the scan itself. What is not media is marked when probed.
bool IsMediaType(const QMimeType& type)
{
    const QString name = type.name();
    return name.startsWith(QLatin1String("audio/")) || name.startsWith(QLatin1String("video/"))
        || std::any_of(std::begin(OtherMediaTypes), std::end(OtherMediaTypes),
            [&name](const char* other) { return name == QLatin1String(other); });
}

} // namespace

FolderScanner::FolderScanner(QObject* parent)
    : QObject(parent)
    , m_worker(new QObject)
{
    m_thread.setObjectName(QStringLiteral("FolderScanner"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

FolderScanner::~FolderScanner()
{
    m_thread.quit();
    m_thread.wait();
}

void FolderScanner::Scan(const QString& folder)
{
    QMetaObject::invokeMethod(
        m_worker, [this, folder] { emit Found(folder, List(folder)); }, Qt::QueuedConnection);
}

QStringList FolderScanner::List(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (IsMediaFile(path))
            files << path;
    }
    // Digit runs compare by value: "Episode 2" comes before "Episode 10". The
    // C locale has no collation, and with it no numeric mode.
    const QLocale locale;
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(files.begin(), files.end(), collator);
    return files;
}

bool FolderScanner::IsMediaFile(const QString& path)
{
    // A playlist beside the files it lists would add them twice.
    if (PlaylistFile::FormatOf(path) != PlaylistFile::Format::None)
        return false;
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(path);
    return std::any_of(types.begin(), types.end(), IsMediaType);
}

QStringList FolderScanner::NamePatterns()
{
    QStringList patterns;
    for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
        if (IsMediaType(type))
            patterns << type.globPatterns();
    }
    patterns.removeDuplicates();
    return patterns;
}

QStringList FolderScanner::MediaTypes()
{
    QStringList names;
    for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
        if (IsMediaType(type))
            names << type.name();
    }
    return names;
}

} // namespace Player
