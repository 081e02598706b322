#include "listctrl/rules/ScrollArithmetic.h"

#include <algorithm>
#include <climits>

int ScrollArithmetic::FirstVisibleRow(int position, int rowHeight) {
    return rowHeight > 0 && position > 0 ? position / rowHeight : 0;
}

int ScrollArithmetic::VisibleRowCount(int itemHeight, int rowHeight, bool partial) {
    if (rowHeight <= 0 || itemHeight <= 0) return 1;
    int rows = itemHeight / rowHeight;
    if (partial && itemHeight % rowHeight != 0) ++rows;
    return std::max(rows, 1);
}

ScrollArithmetic::Range ScrollArithmetic::VerticalRange(int headerHeight, int rowCount,
                                                        int rowHeight, int clientHeight) {
    const long long total = headerHeight + static_cast<long long>(rowCount) * rowHeight;
    const int page = std::max(clientHeight - headerHeight, 0);
    if (total <= clientHeight) return {0, page};
    return {static_cast<int>(std::min<long long>(total, INT_MAX)), page};
}

ScrollArithmetic::Range ScrollArithmetic::HorizontalRange(int contentWidth, int clientWidth) {
    const int max = contentWidth - 1;
    const int page = std::max(clientWidth, 0);
    return {page >= max ? 0 : max, page};
}

bool ScrollArithmetic::VerticalTarget(int request, int position, int rowHeight, int itemHeight,
                                      int rowCount, int trackPosition, int& target) {
    switch (request) {
    case LineBack: target = std::max(position - rowHeight, 0); return true;
    case LineForward: target = position + rowHeight; return true;
    case PageBack: target = std::max(position - itemHeight, 0); return true;
    case PageForward: target = position + itemHeight; return true;
    case ToStart: target = 0; return true;
    case ToEnd:
        target = static_cast<int>(
            std::min<long long>(static_cast<long long>(rowCount) * rowHeight, INT_MAX));
        return true;
    case ThumbTrack:
    case ThumbPosition: target = trackPosition; return trackPosition != position;
    default: return false;
    }
}

bool ScrollArithmetic::HorizontalTarget(int request, int position, int clientWidth,
                                        int contentWidth, int trackPosition, int& target) {
    const int end = std::max(contentWidth - 1, 0);
    switch (request) {
    case LineBack: target = position <= 5 ? 0 : position - 5; return true;
    case LineForward: target = std::min(position + 5, end); return true;
    case PageBack: target = std::max(position - clientWidth, 0); return true;
    case PageForward: target = std::min(position + clientWidth, end); return true;
    case ToStart: target = 0; return true;
    case ToEnd: target = end; return true;
    case ThumbTrack:
    case ThumbPosition: target = trackPosition; return trackPosition != position;
    default: return false;
    }
}

int ScrollArithmetic::WheelTarget(int position, int delta, int lines, int rowHeight) {
    const long long rows = static_cast<long long>(delta) * lines / 120;
    const long long target = position - rows * rowHeight;
    if (target <= 0 && rows > 0) return 0;
    return static_cast<int>(std::clamp<long long>(target, 0, INT_MAX));
}
