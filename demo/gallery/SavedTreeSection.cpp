#include "Sections.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QPlainTextEdit>

// Shows the text form of a small playlist-like tree, as a saved list stores it.
QWidget* CreateSavedTreeSection(QWidget* parent)
{
    Tarvos::Core::Property root("playlist");
    Tarvos::Core::Property& files = root.SetChild("files", "");
    files.SetArrayType();
    Tarvos::Core::Property entry("");
    entry.SetChild("path", "/media/films/Première.mkv");
    entry.SetChild("duration", int64_t(5400000000));
    entry.SetChild("fps", Tarvos::Core::Property::Ratio(30000, 1001));
    entry.SetChild("valid", true);
    files.Add(entry);

    std::string text;
    Tarvos::Core::PropertySerializer::Serialize(
        root, Tarvos::io::DataOutputString::Create(&text), false);
    auto* view = new QPlainTextEdit(QString::fromStdString(text), parent);
    view->setReadOnly(true);
    view->setMinimumSize(420, 120);
    view->setMaximumHeight(160);
    return view;
}
