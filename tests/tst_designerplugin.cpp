#include <QPluginLoader>
#include <QWidget>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class tst_DesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void createsEveryWidget_data();
    void createsEveryWidget();

private:
    QList<QDesignerCustomWidgetInterface*> Widgets();
    QPluginLoader loader { QStringLiteral(REELKIT_DESIGNER_PLUGIN) };
};

QList<QDesignerCustomWidgetInterface*> tst_DesignerPlugin::Widgets()
{
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    return collection ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>();
}

void tst_DesignerPlugin::createsEveryWidget_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("header");
    QTest::newRow("advanced slider") << "Tarvos::Gui::AdvancedSlider"
                                     << "advancedSlider"
                                     << "Gui/Reelkit/AdvancedSlider.h";
    QTest::newRow("timeline") << "Tarvos::Gui::TimelineSlider"
                              << "Progress"
                              << "Gui/Reelkit/TimelineSlider.h";
    QTest::newRow("direct click") << "Tarvos::Gui::DirectClickSlider"
                                  << "directClickSlider"
                                  << "Gui/Reelkit/DirectClickSlider.h";
    QTest::newRow("time edit") << "Tarvos::Gui::TimeEdit"
                               << "ProgressEdit"
                               << "Gui/Reelkit/TimeEdit.h";
    QTest::newRow("volume control") << "Tarvos::Gui::VolumeControl"
                                    << "volumeControl"
                                    << "Gui/Reelkit/VolumeControl.h";
    QTest::newRow("volume button") << "Tarvos::Gui::VolumeButton"
                                   << "volumeControl"
                                   << "Gui/Reelkit/VolumeButton.h";
}

void tst_DesignerPlugin::createsEveryWidget()
{
    QFETCH(QString, className);
    QFETCH(QString, objectName);
    QFETCH(QString, header);
    const QList<QDesignerCustomWidgetInterface*> widgets = Widgets();
    QVERIFY2(loader.isLoaded(), qPrintable(loader.errorString()));
    QCOMPARE(widgets.size(), 6);
    QDesignerCustomWidgetInterface* plugin = nullptr;
    for (QDesignerCustomWidgetInterface* candidate : widgets) {
        if (candidate->name() == className)
            plugin = candidate;
    }
    QVERIFY(plugin);
    QCOMPARE(plugin->includeFile(), header);
    QVERIFY(plugin->domXml().contains(QStringLiteral("name=\"%1\"").arg(objectName)));

    QWidget parent;
    QWidget* widget = plugin->createWidget(&parent);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget(), &parent);
}

QTEST_MAIN(tst_DesignerPlugin)
#include "tst_designerplugin.moc"
