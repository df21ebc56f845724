#include "ReelkitWidgetPlugin.h"

#include <QIcon>

ReelkitWidgetPlugin::ReelkitWidgetPlugin(const QString& className, const QString& objectName,
    const QString& header, const QString& toolTip, Factory factory, QObject* parent)
    : QObject(parent)
    , m_className(className)
    , m_objectName(objectName)
    , m_header(header)
    , m_toolTip(toolTip)
    , m_factory(std::move(factory))
{}

QString ReelkitWidgetPlugin::name() const
{
    return m_className;
}

QString ReelkitWidgetPlugin::group() const
{
    return QStringLiteral("Reelkit");
}

QString ReelkitWidgetPlugin::toolTip() const
{
    return m_toolTip;
}

QString ReelkitWidgetPlugin::whatsThis() const
{
    return m_toolTip;
}

QString ReelkitWidgetPlugin::includeFile() const
{
    return m_header;
}

QIcon ReelkitWidgetPlugin::icon() const
{
    return QIcon();
}

bool ReelkitWidgetPlugin::isContainer() const
{
    return false;
}

QWidget* ReelkitWidgetPlugin::createWidget(QWidget* parent)
{
    return m_factory(parent);
}

bool ReelkitWidgetPlugin::isInitialized() const
{
    return m_initialized;
}

void ReelkitWidgetPlugin::initialize(QDesignerFormEditorInterface*)
{
    m_initialized = true;
}

QString ReelkitWidgetPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++"><widget class="%1" name="%2"/></ui>)")
        .arg(m_className, m_objectName);
}
