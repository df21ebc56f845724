#include "DragSeek.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace Player {

void DragSeek::Start()
{
    m_dragging = true;
    m_hasLast = false;
    m_lastKeyframe = false;
    m_clock.start();
}

bool DragSeek::IsKeyframeSeek(Tarvos::avTime position, qint64 elapsedMs)
{
    if (!m_dragging)
        return false;
    bool fast = false;
    if (m_hasLast) {
        const double mediaSeconds = std::llabs(position - m_lastPosition) / 1e6;
        // Reports within one millisecond count as one millisecond apart.
        const double wallSeconds = std::max<qint64>(elapsedMs - m_lastMs, 1) / 1e3;
        fast = mediaSeconds > FastFactor * wallSeconds;
    }
    m_hasLast = true;
    m_lastPosition = position;
    m_lastMs = elapsedMs;
    m_lastKeyframe = fast;
    return fast;
}

bool DragSeek::Finish()
{
    m_dragging = false;
    return std::exchange(m_lastKeyframe, false);
}

} // namespace Player
