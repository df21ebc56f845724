#include "PlaylistFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Player {

namespace {

using Format = PlaylistFile::Format;
using Result = PlaylistFile::Result;
using Entries = QVector<PlaylistEntry>;

// Beyond any real duration; keeps the conversion to milliseconds in range.
constexpr double MaxSeconds = 1e9;

Result Failure(const QString& error)
{
    return { {}, error };
}

bool IsUrl(const QString& location)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(location).hasMatch();
}

// Not through QDir, which takes a leading ':' for a Qt resource.
QString Absolute(const QString& path, const QString& folder)
{
    return QDir::cleanPath(
        path.startsWith(QLatin1Char('/')) ? path : folder + QLatin1Char('/') + path);
}

// A location as line formats write it: a plain path, relative or absolute, or
// a URL; "file:" URLs name local files.
QString Locate(const QString& location, const QString& folder)
{
    QString local = location;
    if (location.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        local = QUrl(location).toLocalFile();
        // No file name holds a NUL ("%00").
        if (local.isEmpty() || local.contains(QChar()))
            return QString();
    } else if (IsUrl(location)) {
        return location;
    }
    return Absolute(local, folder);
}

// The path relative to folder when the file lies below it; empty otherwise.
QString RelativePath(const QString& path, const QString& folder)
{
    QString prefix = QDir::cleanPath(folder);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    return path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
}

// The reverse of Locate(): what a line reads back as the same path. A path
// that a line cannot hold as it is (line breaks, edge spaces, a leading '#',
// something like a scheme) is written as a file URL.
QString LineLocation(const QString& path, const QString& folder)
{
    if (IsUrl(path))
        return path;
    const QString absolute = Absolute(path, folder);
    const QString relative = RelativePath(absolute, folder);
    const auto fits = [](const QString& text) {
        return !text.isEmpty() && text == text.trimmed() && !text.contains(QLatin1Char('\n'))
            && !text.contains(QLatin1Char('\r')) && !text.startsWith(QLatin1Char('#'))
            && !text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) && !IsUrl(text);
    };
    if (fits(relative))
        return relative;
    if (fits(absolute))
        return absolute;
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded);
}

qint64 ParseSeconds(const QString& text)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    return ok && seconds >= 0 && seconds <= MaxSeconds ? qRound64(seconds * 1000) : -1;
}

QString Seconds(qint64 durationMs)
{
    return QString::number(durationMs < 0 ? -1 : (durationMs + 500) / 1000);
}

bool Append(Result& result, const PlaylistEntry& entry)
{
    if (result.entries.size() >= PlaylistFile::MaxEntries) {
        result = Failure(
            PlaylistFile::tr("The file holds more than %1 entries.").arg(PlaylistFile::MaxEntries));
        return false;
    }
    result.entries << entry;
    return true;
}

Result Finished(Result result)
{
    if (result.error.isEmpty() && result.entries.isEmpty())
        return Failure(PlaylistFile::tr("The file holds no entries."));
    return result;
}

// The text of a line format, split into trimmed lines. Without utf8Only,
// text that is not UTF-8 is read as Latin-1, as older programs wrote it.
bool ReadLines(const QByteArray& bytes, bool utf8Only, QStringList* lines, QString* error)
{
    if (bytes.contains('\0')) {
        *error = PlaylistFile::tr("The file is not text.");
        return false;
    }
    // The byte order mark goes first: decoding drops it, which would make
    // UTF-8 text look different from the bytes it came from.
    const QByteArray body = bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes;
    QString text = QString::fromUtf8(body.constData(), body.size());
    if (text.toUtf8() != body) {
        if (utf8Only) {
            *error = PlaylistFile::tr("The file is not UTF-8 text.");
            return false;
        }
        text = QString::fromLatin1(body.constData(), body.size());
    }
    *lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines->size(); ++i) {
        if ((*lines)[i].size() > PlaylistFile::MaxLineLength) {
            *error = PlaylistFile::tr("Line %1 is longer than %2 characters.")
                         .arg(i + 1)
                         .arg(PlaylistFile::MaxLineLength);
            return false;
        }
        (*lines)[i] = (*lines)[i].trimmed();
    }
    return true;
}

// M3U: one location a line; an "#EXTINF:<seconds> <attributes>,<title>" line
// describes the location after it. Quoted attribute values may hold commas.
Result ReadM3u(const QByteArray& bytes, const QString& folder, bool utf8Only)
{
    static const QLatin1String Info("#EXTINF:");
    Result result;
    QStringList lines;
    if (!ReadLines(bytes, utf8Only, &lines, &result.error))
        return result;
    PlaylistEntry next;
    int infoLine = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(Info, Qt::CaseInsensitive)) {
            const QString info = line.mid(Info.size());
            int comma = 0;
            for (bool quoted = false; comma < info.size(); ++comma) {
                if (info[comma] == QLatin1Char('"'))
                    quoted = !quoted;
                else if (info[comma] == QLatin1Char(',') && !quoted)
                    break;
            }
            next.durationMs = ParseSeconds(info.left(comma).section(QLatin1Char(' '), 0, 0));
            next.title = info.mid(comma + 1).trimmed();
            infoLine = i + 1;
        } else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            next.path = Locate(line, folder);
            if (!next.path.isEmpty() && !Append(result, next))
                return result;
            next = PlaylistEntry();
            infoLine = 0;
        }
    }
    if (infoLine > 0)
        return Failure(
            PlaylistFile::tr("The file ends before the entry of line %1.").arg(infoLine));
    return Finished(result);
}

QByteArray WriteM3u(const Entries& entries, const QString& folder)
{
    QString text = QStringLiteral("#EXTM3U\n");
    for (const PlaylistEntry& entry : entries) {
        if (entry.durationMs >= 0 || !entry.title.isEmpty())
            text += QStringLiteral("#EXTINF:%1,%2\n")
                        .arg(Seconds(entry.durationMs), entry.title.simplified());
        text += LineLocation(entry.path, folder) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

// PLS: "FileN", "TitleN" and "LengthN" keys in a "[playlist]" section,
// ordered by N. "NumberOfEntries" above the entries found means the file was
// cut short.
Result ReadPls(const QByteArray& bytes, const QString& folder)
{
    static const QRegularExpression key(QStringLiteral("^(file|title|length)(\\d{1,9})$"),
        QRegularExpression::CaseInsensitiveOption);
    Result result;
    QStringList lines;
    if (!ReadLines(bytes, false, &lines, &result.error))
        return result;
    QMap<int, PlaylistEntry> numbered;
    bool inSection = false;
    bool sectionSeen = false;
    int declared = -1;
    for (const QString& line : qAsConst(lines)) {
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.compare(QLatin1String("[playlist]"), Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals < 0)
            continue;
        const QString name = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (name.compare(QLatin1String("NumberOfEntries"), Qt::CaseInsensitive) == 0) {
            declared = value.toInt();
            continue;
        }
        const QRegularExpressionMatch match = key.match(name);
        const int number = match.captured(2).toInt();
        if (!match.hasMatch() || number < 1 || number > PlaylistFile::MaxEntries)
            continue;
        PlaylistEntry& entry = numbered[number];
        const QChar kind = match.captured(1).at(0).toLower();
        if (kind == QLatin1Char('f'))
            entry.path = value.isEmpty() ? QString() : Locate(value, folder);
        else if (kind == QLatin1Char('t'))
            entry.title = value;
        else
            entry.durationMs = ParseSeconds(value);
    }
    if (!sectionSeen)
        return Failure(PlaylistFile::tr("The file has no [playlist] section."));
    for (const PlaylistEntry& entry : qAsConst(numbered)) {
        if (!entry.path.isEmpty() && !Append(result, entry))
            return result;
    }
    if (declared > result.entries.size())
        return Failure(PlaylistFile::tr("The file holds %1 of the %2 entries it announces.")
                           .arg(result.entries.size())
                           .arg(declared));
    return Finished(result);
}

QByteArray WritePls(const Entries& entries, const QString& folder)
{
    QString text = QStringLiteral("[playlist]\n");
    int number = 0;
    for (const PlaylistEntry& entry : entries) {
        text += QStringLiteral("File%1=%2\n").arg(++number).arg(LineLocation(entry.path, folder));
        if (!entry.title.isEmpty())
            text += QStringLiteral("Title%1=%2\n").arg(number).arg(entry.title.simplified());
        text += QStringLiteral("Length%1=%2\n").arg(number).arg(Seconds(entry.durationMs));
    }
    text += QStringLiteral("NumberOfEntries=%1\nVersion=2\n").arg(number);
    return text.toUtf8();
}

// XSPF locations are URIs, relative ones resolved against the playlist's folder.
QString XspfPath(const QString& location, const QString& folder)
{
    const QUrl url = QUrl::fromLocalFile(folder + QLatin1Char('/')).resolved(QUrl(location));
    if (!url.isLocalFile()) {
        // Only what the line formats can tell from a path ("scheme://…") plays.
        const QString text = url.toString(QUrl::FullyEncoded);
        return IsUrl(text) ? text : QString();
    }
    const QString local = url.toLocalFile();
    // "file:a.mp3" is relative as well.
    return local.contains(QChar()) ? QString() : Absolute(local, folder);
}

QString XspfLocation(const QString& path, const QString& folder)
{
    if (IsUrl(path))
        return QUrl(path).toString(QUrl::FullyEncoded);
    const QString absolute = Absolute(path, folder);
    const QString relative = RelativePath(absolute, folder);
    // A colon before the first slash would read as a scheme.
    if (!relative.isEmpty()
        && !relative.section(QLatin1Char('/'), 0, 0).contains(QLatin1Char(':'))) {
        QUrl url;
        url.setPath(relative, QUrl::DecodedMode);
        return url.toString(QUrl::FullyEncoded);
    }
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded);
}

// Characters that XML 1.0 cannot carry are left out rather than making the
// whole file unreadable.
QString XmlText(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            kept += c;
            kept += text[++i];
        } else if ((c.unicode() >= 0x20 && !c.isSurrogate() && c.unicode() < 0xfffe)
            || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            kept += c;
        }
    }
    return kept;
}

// XSPF: playlist/trackList/track elements with location, title and duration
// (milliseconds) children; the first location of a track counts.
Result ReadXspf(const QByteArray& bytes, const QString& folder)
{
    Result result;
    QXmlStreamReader xml(bytes);
    const auto failure = [&xml](const QString& problem) {
        return Failure(PlaylistFile::tr("Line %1: %2").arg(xml.lineNumber()).arg(problem));
    };
    PlaylistEntry entry;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD)
            return failure(
                PlaylistFile::tr("The file declares a document type, which playlists never do."));
        if (token == QXmlStreamReader::EndElement) {
            if (--depth == 2 && xml.name() == QLatin1String("track") && !entry.path.isEmpty()
                && !Append(result, entry))
                return result;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (++depth > PlaylistFile::MaxXmlDepth)
            return failure(PlaylistFile::tr("The elements are nested more than %1 deep.")
                               .arg(PlaylistFile::MaxXmlDepth));
        if (depth == 1 && xml.name() != QLatin1String("playlist"))
            return Failure(PlaylistFile::tr("The file is no XSPF playlist."));
        if (depth == 3 && xml.name() == QLatin1String("track"))
            entry = PlaylistEntry();
        if (depth != 4)
            continue;
        const bool location = xml.name() == QLatin1String("location");
        const bool title = xml.name() == QLatin1String("title");
        const bool duration = xml.name() == QLatin1String("duration");
        if (!location && !title && !duration)
            continue;
        const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        --depth;
        if (location && entry.path.isEmpty() && !text.isEmpty())
            entry.path = XspfPath(text, folder);
        else if (title)
            entry.title = text;
        else if (duration) {
            bool ok = false;
            const qint64 ms = text.toLongLong(&ok);
            entry.durationMs = ok && ms >= 0 && ms <= MaxSeconds * 1000 ? ms : -1;
        }
    }
    if (xml.hasError())
        return failure(xml.errorString());
    return Finished(result);
}

QByteArray WriteXspf(const Entries& entries, const QString& folder)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("playlist"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    xml.writeDefaultNamespace(QStringLiteral("http://xspf.org/ns/0/"));
    xml.writeStartElement(QStringLiteral("trackList"));
    for (const PlaylistEntry& entry : entries) {
        xml.writeStartElement(QStringLiteral("track"));
        xml.writeTextElement(QStringLiteral("location"), XspfLocation(entry.path, folder));
        if (!entry.title.isEmpty())
            xml.writeTextElement(QStringLiteral("title"), XmlText(entry.title));
        if (entry.durationMs >= 0)
            xml.writeTextElement(QStringLiteral("duration"), QString::number(entry.durationMs));
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

// The one table of the formats: how each is named, read and written.
struct FormatInfo
{
    Format format;
    const char* suffix;
    const char* filter;
    Result (*read)(const QByteArray& bytes, const QString& folder);
    QByteArray (*write)(const Entries& entries, const QString& folder);
};

const FormatInfo Formats[] = {
    { Format::M3u8, "m3u8", QT_TRANSLATE_NOOP("Player::PlaylistFile", "M3U8 playlist (*.m3u8)"),
        [](const QByteArray& bytes, const QString& folder) { return ReadM3u(bytes, folder, true); },
        WriteM3u },
    { Format::M3u, "m3u", QT_TRANSLATE_NOOP("Player::PlaylistFile", "M3U playlist (*.m3u)"),
        [](const QByteArray& bytes, const QString& folder) {
            return ReadM3u(bytes, folder, false);
        },
        WriteM3u },
    { Format::Pls, "pls", QT_TRANSLATE_NOOP("Player::PlaylistFile", "PLS playlist (*.pls)"),
        ReadPls, WritePls },
    { Format::Xspf, "xspf", QT_TRANSLATE_NOOP("Player::PlaylistFile", "XSPF playlist (*.xspf)"),
        ReadXspf, WriteXspf },
};

const FormatInfo* Find(Format format)
{
    for (const FormatInfo& info : Formats) {
        if (info.format == format)
            return &info;
    }
    return nullptr;
}

Result LoadNested(const QString& path, QStringList& chain)
{
    const QString name = QDir::toNativeSeparators(path);
    const auto failure = [&name](const QString& problem) {
        return Failure(PlaylistFile::tr("%1: %2").arg(name, problem));
    };
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (chain.contains(canonical))
        return failure(PlaylistFile::tr("The playlist lists itself."));
    if (chain.size() > PlaylistFile::MaxNesting)
        return failure(PlaylistFile::tr("Playlists list playlists more than %1 deep.")
                           .arg(PlaylistFile::MaxNesting));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    // One byte more than allowed, so that Read() sees that it is too much.
    const QByteArray bytes = file.read(PlaylistFile::MaxFileSize + 1);
    Result read
        = PlaylistFile::Read(bytes, QFileInfo(path).absolutePath(), PlaylistFile::FormatOf(path));
    if (!read.error.isEmpty())
        return failure(read.error);
    chain << canonical;
    Result result;
    for (const PlaylistEntry& entry : qAsConst(read.entries)) {
        if (IsUrl(entry.path) || PlaylistFile::FormatOf(entry.path) == Format::None) {
            if (!Append(result, entry))
                return failure(result.error);
            continue;
        }
        const Result nested = LoadNested(entry.path, chain);
        if (!nested.error.isEmpty())
            return nested;
        for (const PlaylistEntry& listed : nested.entries) {
            if (!Append(result, listed))
                return failure(result.error);
        }
    }
    chain.removeLast();
    return result;
}

} // namespace

bool PlaylistEntry::operator==(const PlaylistEntry& other) const
{
    return path == other.path && title == other.title && durationMs == other.durationMs;
}

PlaylistFile::Format PlaylistFile::FormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const FormatInfo& info : Formats) {
        if (suffix.compare(QLatin1String(info.suffix), Qt::CaseInsensitive) == 0)
            return info.format;
    }
    return Format::None;
}

QStringList PlaylistFile::NamePatterns()
{
    QStringList patterns;
    for (const FormatInfo& info : Formats)
        patterns << QStringLiteral("*.") + QLatin1String(info.suffix);
    return patterns;
}

QStringList PlaylistFile::NameFilters()
{
    QStringList filters;
    for (const FormatInfo& info : Formats)
        filters << tr(info.filter);
    return filters;
}

QString PlaylistFile::WithSuffix(const QString& path, const QString& nameFilter)
{
    const int index = NameFilters().indexOf(nameFilter);
    if (FormatOf(path) != Format::None || index < 0)
        return path;
    return path + QLatin1Char('.') + QLatin1String(Formats[index].suffix);
}

PlaylistFile::Result PlaylistFile::Read(
    const QByteArray& bytes, const QString& folder, Format format)
{
    const FormatInfo* info = Find(format);
    if (!info)
        return Failure(tr("The file is no playlist."));
    if (bytes.size() > MaxFileSize)
        return Failure(tr("The file is larger than %1 MiB.").arg(MaxFileSize >> 20));
    if (bytes.trimmed().isEmpty())
        return Failure(tr("The file is empty."));
    return info->read(bytes, folder);
}

QByteArray PlaylistFile::Write(
    const QVector<PlaylistEntry>& entries, const QString& folder, Format format)
{
    const FormatInfo* info = Find(format);
    return info ? info->write(entries, folder) : QByteArray();
}

PlaylistFile::Result PlaylistFile::Load(const QString& path)
{
    QStringList chain;
    return LoadNested(path, chain);
}

bool PlaylistFile::Save(const QString& path, const QVector<PlaylistEntry>& entries, QString* error)
{
    const QString name = QDir::toNativeSeparators(path);
    const Format format = FormatOf(path);
    if (format == Format::None) {
        *error = tr("%1: %2").arg(name, tr("The file is no playlist."));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(Write(entries, QFileInfo(path).absolutePath(), format)) < 0
        || !file.commit()) {
        *error = tr("%1: %2").arg(name, file.errorString());
        return false;
    }
    return true;
}

} // namespace Player
