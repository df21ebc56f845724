#pragma once

#include "host/MediaSourceInfo.h"

#include <QDialog>
#include <boost/intrusive_ptr.hpp>

class QTreeWidget;
class QTreeWidgetItem;

namespace Player {

// What the media-information service knows about one file: its format, its
// duration and every stream's description tree.
class FileInfoDialog : public QDialog
{
    Q_OBJECT

public:
    // A null info shows only the path, as a file that could not be read.
    FileInfoDialog(const QString& path,
        boost::intrusive_ptr<const Tarvos::Sarnet::MediaSourceInfo> info,
        QWidget* parent = nullptr);

    QTreeWidget* GetTree() const { return m_tree; }

private:
    static void AddProperty(QTreeWidgetItem* parent, const Tarvos::Core::Property& property);

    QTreeWidget* m_tree;
};

} // namespace Player
