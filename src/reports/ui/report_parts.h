#pragma once
// Small helpers the statistics and report screens share.

#include <QString>

#include <optional>
#include <string>

#include "core/data_module.h"
#include "core/money.h"

namespace fennory::ui::report_parts {

inline QString u8(const std::string& s) {
    return QString::fromStdString(s);
}

// The start-up date, where the screens' periods end.
inline std::string today(TfrmDM& dm) {
    return dm.session().startDay();
}

// A sum as shown, or nothing when there was nothing to sum.
inline QString moneyOrNothing(const std::optional<Money>& m) {
    return m ? u8(m->toDisplay()) : QString();
}

}  // namespace fennory::ui::report_parts
