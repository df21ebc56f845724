#include "host/DVDLabel.h"

#include <QStorageInfo>
#include <QString>

namespace Tarvos::Util {

namespace {

DVDLabelLookup& InstalledLookup()
{
    static DVDLabelLookup lookup;
    return lookup;
}

} // namespace

std::string DVDLabel(const ioPath& drive)
{
    if (const DVDLabelLookup& lookup = InstalledLookup())
        return lookup(drive);
    const QStorageInfo storage(QString::fromStdString(drive.utf8string()));
    return storage.isValid() ? storage.name().toStdString() : std::string();
}

void SetDVDLabelLookup(DVDLabelLookup lookup)
{
    InstalledLookup() = std::move(lookup);
}

} // namespace Tarvos::Util
