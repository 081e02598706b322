#pragma once

// The smooth vertical scroll from one first row to another: the rows are
// rendered once into a strip and shown through a window that slides by
// a shrinking offset, in 4 to 8 steps of equal size and a final crawl of
// one pixel a frame.
class ScrollAnimation {
public:
    // False (and nothing running) when the rows are equal.
    bool Start(int fromRow, int toRow, int rowHeight);
    // Advances one frame; false once the offset has gone below 0.
    bool Tick();
    void Stop() { m_running = false; }

    bool Running() const { return m_running; }
    int Remaining() const { return m_remaining; }
    bool Downward() const { return m_downward; }
    int RowDistance() const { return m_rows; }
    int TopRow() const { return m_topRow; }

    // Strip row (pixels) that the item area shows in the current frame.
    int SourceY(int stripHeight, int visibleRows, int rowHeight) const;

private:
    bool m_running = false;
    bool m_downward = false;
    int m_rows = 0;
    int m_topRow = 0;
    int m_steps = 0;
    int m_stepSize = 0;
    int m_remaining = 0;
};
