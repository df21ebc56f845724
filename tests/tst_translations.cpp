#include "Gui/Reelkit/Playlist.h"

#include <QPushButton>
#include <QTranslator>
#include <QtTest>

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void germanPlaylist();
};

void tst_Translations::germanPlaylist()
{
    Tarvos::Gui::Playlist frame;
    QTranslator german;
    QVERIFY(german.load(QStringLiteral("reelkit_de"), QStringLiteral(REELKIT_QM_DIR)));
    QCoreApplication::installTranslator(&german);
    QCoreApplication::processEvents();
    const auto* addFile = frame.findChild<QPushButton*>("AddFile");
    QCOMPARE(addFile->text(), QStringLiteral("Datei"));
    QCOMPARE(addFile->toolTip(), QStringLiteral("Datei hinzufügen"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Wiedergabeliste"));
    // Action ids and style hooks keep their values in every language.
    QCOMPARE(addFile->property("actionId").toString(), QStringLiteral("AddFile"));
    QCOMPARE(frame.findChild<QWidget*>("ListView")->property("type").toString(),
        QStringLiteral("PlaylistListView"));

    QCoreApplication::removeTranslator(&german);
    QCoreApplication::processEvents();
    QCOMPARE(addFile->text(), QStringLiteral("File"));
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
