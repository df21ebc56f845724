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
    QStringList made;
    for (QDesignerCustomWidgetInterface* plugin : collection->customWidgets()) {
        const QString className = plugin->name().section(QStringLiteral("::"), -1);
        QCOMPARE(plugin->includeFile(), "Gui/Reelkit/" + className + ".h");
        QVERIFY(plugin->domXml().contains(QStringLiteral("class=\"%1\"").arg(plugin->name())));
        QWidget parent;
        QWidget* widget = plugin->createWidget(&parent);
        QCOMPARE(widget->parentWidget(), &parent);
        made << widget->metaObject()->className();
    }
    QCOMPARE(made,
        QStringList({ "Tarvos::Gui::AdvancedSlider", "Tarvos::Gui::TimelineSlider",
            "Tarvos::Gui::DirectClickSlider", "Tarvos::Gui::TimeEdit", "Tarvos::Gui::VolumeControl",
            "Tarvos::Gui::VolumeButton" }));
}

QTEST_MAIN(tst_DesignerPlugin)
#include "tst_designerplugin.moc"
