#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;
class QWidget;

namespace Tarvos::Gui {

// Makes the accessible interfaces of the library's widgets. Each of them
// installs the factory when it is constructed; hosts do nothing.
class AccessibleFactory
{
public:
    // Called by the constructor of each of the library's widgets: installs
    // Create() once and makes sure that widget gets its interface from it.
    // Qt consults the factory installed last first, and the application's own
    // claims every subclass of some Qt widgets (QAbstractSpinBox's, for one):
    // this one must come after it, which installing with a widget ensures.
    static void Attach(QWidget* widget);
    // The interface for object when className (one of object's classes, the
    // most derived first) is one the library describes; null otherwise, so
    // that Qt asks again with the base class.
    static QAccessibleInterface* Create(const QString& className, QObject* object);
    // Tells assistive technology that object's value is now value; nothing
    // while none listens, since a playing timeline changes with every frame.
    static void ValueChanged(QObject* object, int value);
};

} // namespace Tarvos::Gui
