#include "FileInfoDialog.h"

#include "host/FormatTags.h"
#include "host/LocalizationManager.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QTime>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Player {

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString KindName(Tarvos::Sarnet::MediaType type)
{
    switch (type) {
    case Tarvos::Sarnet::MediaType::Video:
        return FileInfoDialog::tr("Video");
    case Tarvos::Sarnet::MediaType::Audio:
        return FileInfoDialog::tr("Audio");
    default:
        return FileInfoDialog::tr("Other");
    }
}

QString ValueText(const Tarvos::Core::Property& property)
{
    using Type = Tarvos::Core::Property::Type;
    switch (property.GetType()) {
    case Type::Bool:
        return property.GetBool() ? FileInfoDialog::tr("yes") : FileInfoDialog::tr("no");
    case Type::Ratio: {
        const auto ratio = property.GetRatio();
        return QStringLiteral("%1/%2").arg(ratio.numerator()).arg(ratio.denominator());
    }
    default:
        return Text(property.GetString());
    }
}

} // namespace

FileInfoDialog::FileInfoDialog(const QString& path,
    boost::intrusive_ptr<const Tarvos::Sarnet::MediaSourceInfo> info, QWidget* parent)
    : QDialog(parent)
    , m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("FileInfoDialog"));
    setWindowTitle(tr("File information: %1").arg(QFileInfo(path).fileName()));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({ tr("Property"), tr("Value") });
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    new QTreeWidgetItem(m_tree, { tr("Path"), path });
    if (!info) {
        new QTreeWidgetItem(m_tree, { tr("Format"), tr("not a media file") });
    } else {
        new QTreeWidgetItem(m_tree, { tr("Format"), Text(info->GetFormatId()) });
        new QTreeWidgetItem(m_tree,
            { tr("Duration"),
                QTime(0, 0)
                    .addMSecs(int(info->GetDuration() / 1000))
                    .toString(QStringLiteral("HH:mm:ss.zzz")) });
        for (unsigned i = 0; i < info->GetStreamCount(); ++i) {
            const Tarvos::Core::Property& codec = info->GetStreamCodecInfo(i);
            auto* stream = new QTreeWidgetItem(m_tree,
                { tr("Stream %1").arg(i),
                    tr("%1, %2").arg(KindName(info->GetStreamMediaType(i)),
                        Text(Tarvos::Core::GetLocalizationManager().GetCodecName(
                            codec[Tarvos::Conf::IFormatCodec::TAG_CODEC_ID].GetString()))) });
            for (unsigned c = 0; c < codec.Count(); ++c)
                AddProperty(stream, codec[c]);
            stream->setExpanded(true);
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(480, 420);
}

void FileInfoDialog::AddProperty(QTreeWidgetItem* parent, const Tarvos::Core::Property& property)
{
    auto* item = new QTreeWidgetItem(parent, { Text(property.GetName()), ValueText(property) });
    for (unsigned c = 0; c < property.Count(); ++c)
        AddProperty(item, property[c]);
    item->setExpanded(true);
}

} // namespace Player
