#pragma once

#include <QOpenGLWidget>

class QLabel;
struct mpv_handle;
struct mpv_render_context;

namespace Player {

// Shows the engine's picture through libmpv's render API.
class VideoWidget : public QOpenGLWidget
{
    Q_OBJECT

public:
    // The handle is not owned; it must outlive the widget.
    explicit VideoWidget(mpv_handle* mpv, QWidget* parent = nullptr);
    ~VideoWidget() override;

    // Files opened before this have no picture. Emitted also when no render
    // context could be made: the engine then plays without one.
    bool IsInitialized() const { return m_initialized; }

    // Text shown over the picture's place, for files without one; empty for none.
    void SetCaption(const QString& caption);
    QString GetCaption() const;

signals:
    void Initialized();
    void DoubleClicked();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static void OnRenderUpdate(void* widget);

    mpv_handle* m_mpv; // not owned
    QLabel* m_caption;
    mpv_render_context* m_render = nullptr;
    bool m_initialized = false;
};

} // namespace Player
