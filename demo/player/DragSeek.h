#pragma once

#include "host/avTime.h"

#include <QElapsedTimer>

namespace Player {

// How the seeks of a drag on the timeline are made. While the thumb moves
// fast through the film, a seek goes to the nearest keyframe, which the
// decoder shows at once, so that the picture keeps up with the hand; while it
// moves slowly, and when the drag ends, a seek is exact.
class DragSeek
{
public:
    // Media time passed per second of dragging above which seeks go to keyframes.
    static constexpr double FastFactor = 10.0;

    void Start();
    // Whether a seek to position, reported now, goes to a keyframe; false
    // outside a drag.
    bool IsKeyframeSeek(Tarvos::avTime position)
    {
        return IsKeyframeSeek(position, m_clock.elapsed());
    }
    // The same with the drag's clock given in milliseconds.
    bool IsKeyframeSeek(Tarvos::avTime position, qint64 elapsedMs);
    // Ends the drag; true when its last seek went to a keyframe and an exact
    // one to the same position is due.
    bool Finish();
    Tarvos::avTime GetLastPosition() const { return m_lastPosition; }

private:
    QElapsedTimer m_clock;
    bool m_dragging = false;
    bool m_hasLast = false;
    bool m_lastKeyframe = false;
    Tarvos::avTime m_lastPosition = 0;
    qint64 m_lastMs = 0;
};

} // namespace Player
