#include "ResumeStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace Player {

namespace {

const QString EnabledKey = QStringLiteral("resume");
const QString FilesKey = QStringLiteral("files");
const QString PathKey = QStringLiteral("path");
const QString SizeKey = QStringLiteral("size");
const QString ModifiedKey = QStringLiteral("modified");
const QString PositionKey = QStringLiteral("position");
const QString AudioKey = QStringLiteral("audio");
const QString VideoKey = QStringLiteral("video");

} // namespace

const char* const ResumeStore::FileName = "resume.json";

ResumeStore::ResumeStore(const QString& filePath)
    : m_path(filePath)
{}

ResumeStore::File ResumeStore::Describe(const QString& path)
{
    // A disc or a stream has no file to compare; a replaced file starts afresh.
    if (path.contains(QLatin1String("://")))
        return { path, -1, -1, {} };
    const QFileInfo info(path);
    return { info.absoluteFilePath(), info.exists() ? info.size() : -1,
        info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1, {} };
}

int ResumeStore::IndexOf(const QString& key) const
{
    for (int i = m_files.size() - 1; i >= 0; --i) {
        if (m_files[i].key == key)
            return i;
    }
    return -1;
}

bool ResumeStore::Load(QString* problem)
{
    m_files.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QJsonParseError error {};
    const QJsonDocument document = file.size() <= MaxFileSize
        ? QJsonDocument::fromJson(file.readAll(), &error)
        : QJsonDocument();
    if (!document.isObject()) {
        if (problem)
            *problem = QStringLiteral("%1 is not a list of places to resume: ignored").arg(m_path);
        return false;
    }
    const QJsonObject root = document.object();
    m_enabled = root.value(EnabledKey).toBool(true);
    for (const QJsonValue value : root.value(FilesKey).toArray()) {
        const QJsonObject entry = value.toObject();
        const QString key = entry.value(PathKey).toString();
        if (key.isEmpty())
            continue;
        m_files.append({ key, qint64(entry.value(SizeKey).toDouble(-1)),
            qint64(entry.value(ModifiedKey).toDouble(-1)),
            { Tarvos::avTime(entry.value(PositionKey).toDouble()), entry.value(AudioKey).toInt(-1),
                entry.value(VideoKey).toInt(-1) } });
    }
    DropOldest();
    return true;
}

bool ResumeStore::Save(QString* problem) const
{
    QJsonArray files;
    for (const File& f : m_files) {
        files.append(QJsonObject { { PathKey, f.key }, { SizeKey, double(f.size) },
            { ModifiedKey, double(f.modified) }, { PositionKey, double(f.point.position) },
            { AudioKey, f.point.audioStream }, { VideoKey, f.point.videoStream } });
    }
    const QByteArray bytes
        = QJsonDocument(QJsonObject { { EnabledKey, m_enabled }, { FilesKey, files } }).toJson();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (problem)
            *problem = QStringLiteral("Cannot save %1: %2").arg(m_path, file.errorString());
        return false;
    }
    return true;
}

void ResumeStore::Remember(const QString& path, Point point, Tarvos::avTime duration)
{
    File file = Describe(path);
    const int known = IndexOf(file.key);
    if (known >= 0)
        m_files.remove(known);
    if (point.position < 0
        || (duration > 0 && point.position >= duration - duration * FinishedPercent / 100))
        point.position = 0;
    file.point = point;
    m_files.append(file);
    DropOldest();
}

void ResumeStore::DropOldest()
{
    if (m_files.size() > MaxFiles)
        m_files.remove(0, m_files.size() - MaxFiles);
}

ResumeStore::Point ResumeStore::Recall(const QString& path) const
{
    const File now = Describe(path);
    const int known = IndexOf(now.key);
    if (known < 0 || m_files[known].size != now.size || m_files[known].modified != now.modified)
        return {};
    Point point = m_files[known].point;
    if (!m_enabled)
        point.position = 0;
    return point;
}

} // namespace Player
