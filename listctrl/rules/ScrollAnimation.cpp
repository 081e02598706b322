#include "listctrl/rules/ScrollAnimation.h"

#include <algorithm>
#include <cstdlib>

bool ScrollAnimation::Start(int fromRow, int toRow, int rowHeight) {
    m_running = fromRow != toRow && rowHeight > 0;
    if (!m_running) return false;
    m_rows = std::abs(toRow - fromRow);
    m_topRow = std::min(fromRow, toRow);
    m_downward = fromRow < toRow;
    const int distance = m_rows * rowHeight;
    m_steps = std::clamp(m_rows, 4, 8);
    // At least a pixel a step, or tiny rows would never finish.
    m_stepSize = std::max((distance - m_steps) / m_steps, 1);
    m_remaining = distance;
    return true;
}

bool ScrollAnimation::Tick() {
    if (!m_running) return false;
    if (m_remaining > m_steps) {
        m_remaining -= m_stepSize;
        if (m_remaining < m_stepSize) m_remaining = m_steps;
    } else {
        --m_remaining;
    }
    m_running = m_remaining >= 0;
    return m_running;
}

int ScrollAnimation::SourceY(int stripHeight, int visibleRows, int rowHeight) const {
    if (m_downward) return stripHeight - visibleRows * rowHeight - m_remaining;
    return m_remaining;
}
