#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

// Describes one of the library's widgets to Qt Designer.
class ReelkitWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    // className is the widget's full class name, objectName the name a new
    // instance gets in a form (the one the panel binding looks for, if any).
    ReelkitWidgetPlugin(const QString& className, const QString& objectName, const QString& header,
        const QString& toolTip, Factory factory, QObject* parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    QString m_className;
    QString m_objectName;
    QString m_header;
    QString m_toolTip;
    Factory m_factory;
    bool m_initialized = false;
};
