#include "Gui/Reelkit/Playlist.h"

#include "Gui/Reelkit/AccessibleFactory.h"
#include "ui_Playlist.h"

#include <QAccessible>
#include <QColor>
#include <QEvent>
#include <QGraphicsDropShadowEffect>

namespace Tarvos::Gui {

Playlist::Playlist(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::Playlist>())
{
    AccessibleFactory::Attach(this);
    m_ui->setupUi(this);
    m_ui->Add3D->hide();

    for (QPushButton* button : { m_ui->AddFile, m_ui->AddFolder, m_ui->AddDvd }) {
        auto* shadow = new QGraphicsDropShadowEffect(this);
        shadow->setBlurRadius(ShadowBlurRadius);
        shadow->setOffset(ShadowOffset);
        shadow->setColor(QColor(0, 0, 0, ShadowAlpha));
        button->setGraphicsEffect(shadow);
    }

    m_controller = PlaylistController::Create(m_ui->ListView);

    connect(m_ui->AddFile, &QPushButton::clicked, this, &Playlist::AddFileClicked);
    connect(m_ui->AddFolder, &QPushButton::clicked, this, &Playlist::AddFolderClicked);
    connect(m_ui->AddDvd, &QPushButton::clicked, this, &Playlist::AddDvdClicked);
    connect(m_ui->Add3D, &QPushButton::clicked, this, &Playlist::Add3DClicked);
    connect(m_ui->ListView, &PlaylistListView::ShowFileInfo, this, &Playlist::ShowFileInfoDialog);

    ShowBusy(false, QString());
}

Playlist::~Playlist()
{
    // Released while the list view, which the controller drives, still exists.
    m_controller.reset();
}

boost::intrusive_ptr<PlaylistController> Playlist::GetController() const
{
    return m_controller;
}

int Playlist::GetSelectedRow() const
{
    return m_ui->ListView->GetSelectedRow();
}

void Playlist::SetContextMenu(QMenu* menu)
{
    m_ui->ListView->SetContextMenu(menu);
}

void Playlist::ShowBusy(bool busy, const QString& text)
{
    m_ui->busyBar->setVisible(busy);
    for (QPushButton* button : { m_ui->AddFile, m_ui->AddFolder, m_ui->AddDvd })
        button->setEnabled(!busy);
    if (busy && !text.isEmpty())
        m_ui->busyLabel->setText(text);
    m_ui->busyLabel->setVisible(busy && !text.isEmpty());
    QAccessible::State changed;
    changed.busy = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Playlist::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QWidget::changeEvent(event);
}

} // namespace Tarvos::Gui
