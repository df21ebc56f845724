#pragma once

#include <QOpenGLWidget>

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

    // True once the render context exists; files opened before it have no picture.
    bool IsReady() const { return m_render != nullptr; }

signals:
    void Ready();
    void DoubleClicked();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static void OnRenderUpdate(void* widget);

    mpv_handle* m_mpv; // not owned
    mpv_render_context* m_render = nullptr;
};

} // namespace Player
