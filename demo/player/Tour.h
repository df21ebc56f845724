#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QPixmap;

namespace Player {

class MainWindow;

// A scripted run of the player on the sample clips: each step acts as a user
// would, waits until the window shows what it should, and saves a picture.
// Meant for machines without a person in front of them, under Xvfb.
class Tour : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollMs = 50;
    static constexpr int StepTimeoutMs = 10000;
    static constexpr int SettleMs = 400;

    // The window is not owned. The samples are the video, the audio-only
    // file and the non-media file, already in the window's playlist.
    Tour(MainWindow* window, const QStringList& samples, const QString& pictureFolder,
        QObject* parent = nullptr);

    void Start();

signals:
    void Finished(int failures);

private:
    enum class Picture
    {
        Window,
        Screen,
        None
    };

    struct Step
    {
        const char* name;
        std::function<void()> act;
        // Empty when the window shows what it should; otherwise what is amiss.
        std::function<QString()> check;
        Picture picture;
        std::function<void()> after;
    };

    void BuildSteps();
    void RunStep();
    void Poll();
    void FinishStep(const QString& problem);
    void CompleteStep(const QString& problem);
    QPixmap Grab(Picture picture) const;

    MainWindow* m_window; // not owned
    QStringList m_samples;
    // Files the engine started, in order.
    QStringList m_started;
    QDir m_pictures;
    std::vector<Step> m_steps;
    std::size_t m_current = 0;
    int m_failures = 0;
    QTimer m_poll;
    QElapsedTimer m_stepClock;
};

} // namespace Player
