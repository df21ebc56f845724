#include "PlaylistFind.h"

#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistArrange.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace Player {

PlaylistFind::PlaylistFind(Tarvos::Gui::PlaylistListView* view, QWidget* parent)
    : QWidget(parent)
    , m_view(view)
    , m_model(qobject_cast<Tarvos::Gui::PlaylistModel*>(view->model()))
    , m_field(new QLineEdit)
    , m_status(new QLabel)
{
    setObjectName(QStringLiteral("PlaylistFind"));
    m_field->setObjectName(QStringLiteral("FindField"));
    m_field->setPlaceholderText(tr("Find in the playlist"));
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_status);
    hide();

    connect(m_field, &QLineEdit::textEdited, this, [this] {
        // Typing on keeps the match where it is while it still matches.
        const QModelIndex current = m_view->currentIndex();
        Find(current.isValid() ? current.row() : 0, 1);
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &PlaylistFind::OnInserted);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &PlaylistFind::OnRemoved);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &PlaylistFind::OnDataChanged);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, [this] { m_namesValid = false; });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_namesValid = false; });
}

PlaylistFind::~PlaylistFind() = default;

QString PlaylistFind::Fold(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (!c.isMark())
            bare.append(c);
    }
    return bare.toCaseFolded();
}

void PlaylistFind::Open()
{
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

bool PlaylistFind::FindNext(int step)
{
    const QModelIndex current = m_view->currentIndex();
    const int count = m_model->rowCount();
    if (count == 0)
        return false;
    return Find(current.isValid() ? (current.row() + step + count) % count : 0, step);
}

bool PlaylistFind::eventFilter(QObject* watched, QEvent* event)
{
    // The field keeps Escape from the window's shortcut, and F3 moves on.
    if (watched == m_field && event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (watched == m_field && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        m_view->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool PlaylistFind::Find(int from, int step)
{
    const QString needle = Fold(m_field->text());
    const int count = m_model->rowCount();
    if (!m_namesValid) {
        m_names.assign(std::size_t(count), QString());
        FoldRows(0, count - 1);
        m_namesValid = true;
    }
    int found = -1;
    for (int i = 0; !needle.isEmpty() && i < count && found < 0; ++i) {
        const int row = ((from + step * i) % count + count) % count;
        if (m_names[std::size_t(row)].contains(needle))
            found = row;
    }
    m_status->setText(found < 0 && !needle.isEmpty() ? tr("Not found") : QString());
    if (found < 0)
        return false;
    const QModelIndex index = m_model->index(found, 0);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
    return true;
}

void PlaylistFind::FoldRows(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_names[std::size_t(row)] = Fold(PlaylistArrange::DisplayName(m_model->ItemAt(row)));
}

void PlaylistFind::OnInserted(const QModelIndex&, int first, int last)
{
    // Many rows at once (a restored list) are folded when next needed.
    if (!m_namesValid || last > first) {
        m_namesValid = false;
        return;
    }
    m_names.insert(m_names.begin() + first, std::size_t(last - first + 1), QString());
    FoldRows(first, last);
}

void PlaylistFind::OnRemoved(const QModelIndex&, int first, int last)
{
    if (m_namesValid)
        m_names.erase(m_names.begin() + first, m_names.begin() + last + 1);
}

void PlaylistFind::OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (m_namesValid)
        FoldRows(topLeft.row(), bottomRight.row());
}

} // namespace Player
