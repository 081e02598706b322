#include "listctrl/rules/DpiScale.h"

#include <climits>

int DpiScale::Scale(int value) const {
    const long long product = static_cast<long long>(value) * m_dpi;
    const long long half = BASE_DPI / 2;
    const long long scaled = product >= 0 ? (product + half) / BASE_DPI
                                          : -((-product + half) / BASE_DPI);
    if (scaled > INT_MAX) return INT_MAX;
    if (scaled < INT_MIN) return INT_MIN;
    return static_cast<int>(scaled);
}

DpiScale::Zone DpiScale::DividerZone(int right) const {
    return Zone{right - Scale(5), right + Scale(4)};
}
