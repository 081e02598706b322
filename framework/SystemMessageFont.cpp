#include "framework/SystemMessageFont.h"

#include <cstddef>

bool GetSystemMessageFont(LOGFONTW& font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 500;
    static_assert(offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW) <= 500,
                  "the message font lies inside the 500-byte metrics");
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return false;
    font = metrics.lfMessageFont;
    return true;
}
