#include "tray/icon_record.h"

namespace kalvoro {

std::string IconTip() {
    std::string tip{"Kalvoro XP"};
    tip += '\0';
    tip.resize(kTipLength, ' ');
    return tip;
}

}  // namespace kalvoro
