#include "PlaylistStore.h"

#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Player {

const char* const PlaylistStore::FileName = "playlist.json";
const char* const PlaylistStore::CorruptSuffix = ".corrupt-";

PlaylistStore::PlaylistStore(const QString& filePath)
    : m_path(filePath)
{}

QString PlaylistStore::DefaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QString::fromLatin1(FileName));
}

bool PlaylistStore::Load(Tarvos::Core::Property& tree, QString* problem)
{
    QFile file(m_path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("Cannot read %1: %2").arg(m_path, file.errorString());
        MoveAside(problem);
        return false;
    }
    const QByteArray bytes = file.read(Tarvos::Core::PropertySerializer::MaxInputSize + 1);
    file.close();
    const std::string text = bytes.toStdString();
    Tarvos::Core::Property read;
    if (bytes.size() > qint64(Tarvos::Core::PropertySerializer::MaxInputSize)
        || !Tarvos::Core::PropertySerializer::Deserialize(
            read, Tarvos::io::DataInputString::Create(&text), true)) {
        if (problem)
            *problem = QStringLiteral("%1 is not a saved playlist").arg(m_path);
        MoveAside(problem);
        return false;
    }
    tree = std::move(read);
    return true;
}

bool PlaylistStore::Save(const Tarvos::Core::Property& tree, QString* problem)
{
    if (m_saveBlocked) {
        if (problem)
            *problem = QStringLiteral("Not saving over the unreadable %1").arg(m_path);
        return false;
    }
    std::string text;
    Tarvos::Core::PropertySerializer::Serialize(
        tree, Tarvos::io::DataOutputString::Create(&text), true);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        if (problem)
            *problem = QStringLiteral("Cannot save %1: %2").arg(m_path, file.errorString());
        return false;
    }
    return true;
}

bool PlaylistStore::MoveAside(QString* problem)
{
    const QString aside = m_path + QString::fromLatin1(CorruptSuffix)
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    if (QFile::rename(m_path, aside)) {
        if (problem)
            *problem += QStringLiteral("; kept as %1").arg(aside);
        return true;
    }
    m_saveBlocked = true;
    if (problem)
        *problem += QStringLiteral("; left in place and not saved over");
    return false;
}

} // namespace Player
