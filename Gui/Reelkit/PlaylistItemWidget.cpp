#include "Gui/Reelkit/PlaylistItemWidget.h"

#include "ui_PlaylistItemWidget.h"

#include <QEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLayout>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QTime>

namespace Tarvos::Gui {

PlaylistItemWidget::PlaylistItemWidget(QWidget* parent)
    : QWidget(parent)
    , m_iconSize(16, 16)
    , m_ui(std::make_unique<Ui::PlaylistItemWidget>())
{
    m_ui->setupUi(this);
    m_ui->dropSeparator->setVisible(false);
    // Render() runs the layout itself, when what it depends on changed.
    layout()->setEnabled(false);
}

PlaylistItemWidget::~PlaylistItemWidget() = default;

void PlaylistItemWidget::SetFilename(std::string name)
{
    const QFileInfo file(QString::fromStdString(name));
    m_fileName = file.fileName();

    const QPixmap icon = m_dvd
        ? QPixmap(QStringLiteral(":/MainForm/dvd.png"))
              .scaled(m_iconSize, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        : QFileIconProvider().icon(file).pixmap(m_iconSize, QIcon::Normal, QIcon::Off);
    m_ui->Icon->setPixmap(icon);
}

void PlaylistItemWidget::SetDuration(avTime duration)
{
    // Whole milliseconds as QTime takes them; QTime wraps at midnight.
    const int milliseconds = static_cast<int>(duration / 1000);
    m_ui->Duration->setText(
        QTime(0, 0, 0, 0).addMSecs(milliseconds).toString(QStringLiteral("HH:mm:ss")));
}

void PlaylistItemWidget::SetActive(bool active)
{
    m_ui->Active->setPixmap(
        active ? QPixmap(QStringLiteral(":/Playlist/play_cursor.png")) : QPixmap());
}

void PlaylistItemWidget::SetUnderDrop(bool underDrop)
{
    m_ui->dropSeparator->setVisible(underDrop);
}

void PlaylistItemWidget::SetInvalid(bool invalid)
{
    if (!invalid)
        return;
    QPixmap badged(m_iconSize);
    badged.fill(QColor(0, 0, 0, 0));
    const QPixmap error(QStringLiteral(":/Playlist/error.png"));
    {
        QPainter painter(&badged);
        painter.drawPixmap(QRect(QPoint(0, 0), m_iconSize), m_ui->Icon->pixmap(Qt::ReturnByValue));
        // At the right edge, centred vertically and one pixel lower.
        painter.drawPixmap(m_iconSize.width() - error.width(),
            m_iconSize.height() / 2 - error.height() / 2 + 1, error);
    }
    m_ui->Icon->setPixmap(badged);
}

void PlaylistItemWidget::SetDVD(bool dvd)
{
    m_dvd = dvd;
}

void PlaylistItemWidget::SetBackground(const QColor& background)
{
    const qint64 applicationPalette = QPalette().cacheKey();
    if (background.rgba() == m_background && applicationPalette == m_applicationPalette)
        return;
    m_background = background.rgba();
    m_applicationPalette = applicationPalette;
    QPalette palette;
    palette.setBrush(QPalette::WindowText, QBrush(Qt::white));
    palette.setBrush(QPalette::Window, QBrush(background));
    setPalette(palette);
}

void PlaylistItemWidget::Render(QPainter* painter, QSize size)
{
    // The style's polish can change fonts and margins; the layout must see them.
    ensurePolished();
    QLabel* duration = m_ui->Duration;
    const LayoutKey key { size, m_ui->dropSeparator->isVisibleTo(this),
        QFontMetrics(duration->font()).horizontalAdvance(duration->text()), m_generation };
    if (!(key == m_laidOut)) {
        resize(size);
        layout()->setEnabled(true);
        // Without invalidation a layout that ran once would not run again.
        layout()->invalidate();
        layout()->activate();
        layout()->setEnabled(false);
        m_laidOut = key;
    }
    QLabel* label = m_ui->Filename;
    label->setText(
        QFontMetrics(label->font()).elidedText(m_fileName, Qt::ElideRight, label->width(), 0));
    render(painter, QPoint(0, 0), QRegion(), DrawWindowBackground | DrawChildren);
}

void PlaylistItemWidget::changeEvent(QEvent* event)
{
    // The delegate sets the palette for each row; that changes no layout.
    if (event->type() != QEvent::PaletteChange)
        ++m_generation;
    QWidget::changeEvent(event);
}

bool PlaylistItemWidget::LayoutKey::operator==(const LayoutKey& other) const
{
    return size == other.size && underDrop == other.underDrop
        && durationWidth == other.durationWidth && generation == other.generation;
}

} // namespace Tarvos::Gui
