#include "VideoWidget.h"

#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QVBoxLayout>
#include <mpv/render_gl.h>

namespace Player {

namespace {

void* GetProcAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(QByteArray(name))) : nullptr;
}

} // namespace

VideoWidget::VideoWidget(mpv_handle* mpv, QWidget* parent)
    : QOpenGLWidget(parent)
    , m_mpv(mpv)
    , m_caption(new QLabel(this))
{
    setMouseTracking(true);
    setMinimumSize(160, 90);
    // A child widget rather than painting over libmpv's frame: the GL state
    // that libmpv leaves behind is its own.
    m_caption->setObjectName(QStringLiteral("videoCaption"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
}

VideoWidget::~VideoWidget()
{
    if (!m_render)
        return;
    makeCurrent();
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
    doneCurrent();
}

void VideoWidget::SetCaption(const QString& caption)
{
    m_caption->setText(caption);
    m_caption->setVisible(!caption.isEmpty());
}

QString VideoWidget::GetCaption() const
{
    return m_caption->text();
}

void VideoWidget::initializeGL()
{
    mpv_opengl_init_params gl { GetProcAddress, nullptr };
    mpv_render_param params[] = {
        { MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL) },
        { MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    if (mpv_render_context_create(&m_render, m_mpv, params) < 0) {
        qWarning("The video cannot be shown: libmpv has no OpenGL render context");
        m_render = nullptr;
    } else {
        mpv_render_context_set_update_callback(m_render, OnRenderUpdate, this);
    }
    m_initialized = true;
    emit Initialized();
}

void VideoWidget::paintGL()
{
    if (!m_render) {
        QOpenGLContext::currentContext()->functions()->glClearColor(0, 0, 0, 1);
        QOpenGLContext::currentContext()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo { static_cast<int>(defaultFramebufferObject()),
        static_cast<int>(width() * ratio), static_cast<int>(height() * ratio), 0 };
    int flip = 1;
    mpv_render_param params[] = {
        { MPV_RENDER_PARAM_OPENGL_FBO, &fbo },
        { MPV_RENDER_PARAM_FLIP_Y, &flip },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    mpv_render_context_render(m_render, params);
}

void VideoWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
    QOpenGLWidget::mouseDoubleClickEvent(event);
}

void VideoWidget::OnRenderUpdate(void* widget)
{
    // Called from libmpv's threads: the repaint is queued to the GUI thread,
    // and dropped if the widget is gone by then.
    QMetaObject::invokeMethod(
        static_cast<VideoWidget*>(widget),
        [widget] { static_cast<VideoWidget*>(widget)->update(); }, Qt::QueuedConnection);
}

} // namespace Player
