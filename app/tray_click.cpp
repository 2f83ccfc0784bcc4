#include "app/tray_click.h"

namespace trv {

TrayClickPlan planTrayClick(bool mousePresent, bool& cancelMark, PageState page, bool everBuilt) {
    TrayClickPlan plan;
    if (!mousePresent) {
        plan.warnMouseMissing = true;
        return plan;
    }
    if (cancelMark) {
        cancelMark = false;
        plan.rebuildAfterCancel = page == PageState::Shown;
    } else if (!everBuilt) {
        plan.firstBuild = true;
    }
    plan.show = true;
    return plan;
}

}  // namespace trv
