#include "windows/DrawFailureLatch.h"

#include <algorithm>

#include "windows/WindowLog.h"

void DrawFailureLatch::Check(std::string_view szTag, int nResult, int nItem, CallSite site) {
    const Call call{site.file, site.line, nItem};
    const auto it = std::find(failing_.begin(), failing_.end(), call);
    if (nResult >= 0) {
        if (it != failing_.end()) failing_.erase(it);
        return;
    }
    if (it != failing_.end()) return;
    failing_.push_back(call);
    WindowLogError(szTag, WINDOW_FAILURE::Draw);
}
