#pragma once

// The library's one home for what Qt 5 and Qt 6 spell differently: the event
// accessors that Qt 6 renamed and Qt 5.15 does not yet have under the new name,
// and the meta-type registration that Qt 6 does by itself. Internal to the
// library; not installed.

#include <QDropEvent>
#include <QLabel>
#include <QMetaType>
#include <QMouseEvent>
#include <QPoint>
#include <QtGlobal>

namespace Tarvos::Gui::QtCompat {

/// The label's picture; null for none.
inline QPixmap LabelPixmap(const QLabel* label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap();
#else
    return label->pixmap() ? *label->pixmap() : QPixmap();
#endif
}

/// Where the mouse event happened, in the receiving widget's coordinates.
inline QPoint Position(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

/// Where the mouse event happened, in screen coordinates.
inline QPoint GlobalPosition(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}

/// Where the drag is, in the receiving widget's coordinates.
inline QPoint Position(const QDropEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

/// The keyboard modifiers held during the drag.
inline Qt::KeyboardModifiers Modifiers(const QDropEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->modifiers();
#else
    return event->keyboardModifiers();
#endif
}

/// Lets QVariant compare values of T with T's operator== (Qt 6 finds the
/// operator when it registers the type).
template <typename T> void RegisterEqualsComparator()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QMetaType::registerEqualsComparator<T>();
#endif
}

} // namespace Tarvos::Gui::QtCompat
