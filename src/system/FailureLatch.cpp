#include "system/FailureLatch.h"

#include <algorithm>

bool FailureLatch::NewFailure(bool bFailed, int nItem, CallSite site) {
    const Call call{site.file, site.line, nItem};
    const auto it = std::find(failing_.begin(), failing_.end(), call);
    if (!bFailed) {
        if (it != failing_.end()) failing_.erase(it);
        return false;
    }
    if (it != failing_.end()) return false;
    failing_.push_back(call);
    return true;
}
