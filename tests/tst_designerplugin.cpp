#include <QPluginLoader>
#include <QWidget>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class tst_DesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void createsEveryWidget();
};

void tst_DesignerPlugin::createsEveryWidget()
{
    QPluginLoader loader(QStringLiteral(REELKIT_DESIGNER_PLUGIN));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    QVERIFY2(collection, qPrintable(loader.errorString()));
    // New widgets get the object names the control panel finds its controls by.
    const QMap<QString, QString> objectNames
        = { { "AdvancedSlider", "advancedSlider" }, { "TimelineSlider", "Progress" },
              { "DirectClickSlider", "directClickSlider" }, { "TimeEdit", "ProgressEdit" },
              { "VolumeControl", "volumeControl" }, { "VolumeButton", "volumeControl" } };
    QStringList made;
    for (QDesignerCustomWidgetInterface* plugin : collection->customWidgets()) {
        const QString className = plugin->name().section(QStringLiteral("::"), -1);
        QCOMPARE(plugin->includeFile(), "Gui/Reelkit/" + className + ".h");
        QVERIFY(plugin->domXml().contains(
            QStringLiteral("name=\"%1\"").arg(objectNames.value(className, "?"))));
        QWidget parent;
        QWidget* widget = plugin->createWidget(&parent);
        QCOMPARE(widget->parentWidget(), &parent);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), plugin->name());
        made << className;
    }
    made.sort();
    QCOMPARE(made, objectNames.keys());
}

QTEST_MAIN(tst_DesignerPlugin)
#include "tst_designerplugin.moc"
