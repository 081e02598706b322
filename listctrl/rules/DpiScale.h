#pragma once

// The list's pixel measures are drawn for 96 pixels per inch; this scales
// them to the display's, rounding to the nearest pixel (halves away from
// zero, as MulDiv does), so that at 96 every measure stays as it is.
class DpiScale {
public:
    static constexpr int BASE_DPI = 96;

    DpiScale() = default;
    // A DPI below 1 (a failed reading) counts as 96.
    explicit DpiScale(int dpi) : m_dpi(dpi > 0 ? dpi : BASE_DPI) {}

    int Dpi() const { return m_dpi; }
    int Scale(int value) const;

    // The divider zone around a column's right edge r: from r - 5 to
    // r + 4 inclusive at 96, scaled.
    struct Zone {
        int Left;
        int Right;
        bool Contains(int x) const { return x >= Left && x <= Right; }
    };
    Zone DividerZone(int right) const;

private:
    int m_dpi = BASE_DPI;
};
