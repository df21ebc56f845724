#include "Sections.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

namespace {

struct Section
{
    const char* title;
    QWidget* (*create)(QWidget* parent);
};

const Section Sections[] = {
    { "Control panel", CreateControlPanelSection },
    { "Sliders", CreateSlidersSection },
    { "Time and volume", CreateTimeVolumeSection },
    { "Playlist", CreatePlaylistSection },
    { "Playlist frame", CreatePlaylistFrameSection },
    { "Saved tree", CreateSavedTreeSection },
};

} // namespace

// A window of the library's widgets. With --screenshot it saves a picture of
// itself, and one of each section beside it, once shown and quits, so that
// headless machines can look at it.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("reelkit-gallery"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Save a PNG of the window, and of each section beside it, and quit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Reelkit gallery"));
    auto* layout = new QVBoxLayout(&window);
    for (const Section& section : Sections) {
        auto* box = new QGroupBox(QString::fromUtf8(section.title), &window);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(section.create(box));
        layout->addWidget(box);
    }
    layout->addStretch();
    window.show();

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        // Give deferred painting (timers, polish) a moment before the grab.
        QTimer::singleShot(800, &window, [&window, file] {
            bool saved = window.grab().save(file);
            const QFileInfo whole(file);
            for (QGroupBox* box : window.findChildren<QGroupBox*>()) {
                const QString name
                    = box->title().toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
                saved = box->grab().save(whole.dir().filePath(
                            QStringLiteral("%1-%2.png").arg(whole.completeBaseName(), name)))
                    && saved;
            }
            std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "Saved" : "Could not save",
                qPrintable(file));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
