#include "FolderScanner.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace Player {

namespace {

// Chosen by name: opening every file of a large folder to sniff it would take
// far longer than the scan itself. What is not media is marked when probed.
const QSet<QString> MediaSuffixes = { "3gp", "aac", "ac3", "aiff", "ape", "asf", "avi", "dts",
    "flac", "flv", "m2ts", "m4a", "m4v", "mka", "mkv", "mov", "mp2", "mp3", "mp4", "mpeg", "mpg",
    "mts", "oga", "ogg", "ogv", "opus", "ts", "vob", "wav", "webm", "wma", "wmv" };

// Digit runs compare by value, everything else case-insensitively: "Episode 2"
// comes before "Episode 10".
bool NaturalLess(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const int startA = i;
            const int startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Without leading zeros, a longer run is a larger number.
            const QString numberA = a.mid(startA, i - startA).remove(QRegularExpression("^0+"));
            const QString numberB = b.mid(startB, j - startB).remove(QRegularExpression("^0+"));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
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
    std::sort(files.begin(), files.end(), NaturalLess);
    return files;
}

bool FolderScanner::IsMediaFile(const QString& path)
{
    return MediaSuffixes.contains(QFileInfo(path).suffix().toLower());
}

} // namespace Player
