#include "windows/DrawFailureLatch.h"

#include "windows/WindowLog.h"

void DrawFailureLatch::Check(std::string_view szTag, int nResult, int nItem, CallSite site) {
    if (calls_.NewFailure(nResult < 0, nItem, site)) WindowLogError(szTag, WINDOW_FAILURE::Draw);
}
