#include "Gui/Reelkit/Playlist.h"

#include <QFrame>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {

// Marks every text it translates, so that a test sees which texts a language
// change re-applied.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return QStringLiteral("[%1] %2").arg(
            QString::fromLatin1(context), QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void germanFrame();
    void languageChangeReappliesEveryText();
};

void tst_Translations::germanFrame()
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
    // Style hooks keep their values in every language.
    QCOMPARE(frame.findChild<QWidget*>("ListView")->property("type").toString(),
        QStringLiteral("PlaylistListView"));
    QCoreApplication::removeTranslator(&german);
    QCoreApplication::processEvents();
    QCOMPARE(addFile->text(), QStringLiteral("File"));
}

void tst_Translations::languageChangeReappliesEveryText()
{
    Tarvos::Gui::Playlist frame;
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    QCoreApplication::processEvents();
    const auto* addFile = frame.findChild<QPushButton*>("AddFile");
    QCOMPARE(addFile->text(), QStringLiteral("[Playlist] File"));
    QCOMPARE(addFile->toolTip(), QStringLiteral("[Playlist] Add File"));
    QCOMPARE(addFile->property("name").toString(), QStringLiteral("[Playlist] Add File"));
    QCOMPARE(addFile->property("actionId").toString(), QStringLiteral("AddFile"));
    QCOMPARE(frame.findChild<QWidget*>("ListView")->property("type").toString(),
        QStringLiteral("[Playlist] PlaylistListView"));
    QCOMPARE(frame.findChild<QFrame*>("horizontalLine")->property("type").toString(),
        QStringLiteral("[Playlist] Playlist:horizontal"));
    QCOMPARE(frame.findChild<QPushButton*>("Add3D")->text(), QStringLiteral("[Playlist] 3D Video"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("[Playlist] Playlist"));
    QCoreApplication::removeTranslator(&marking);
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
