#include "plans/status_date.h"

#include "core/dates.h"
#include "plans/lunar.h"

namespace fennory {

std::string statusDateText(std::string_view date) {
    static constexpr const char* kWeekdays[7] = {"  星期日", "  星期一", "  星期二", "  星期三",
                                                 "  星期四", "  星期五", "  星期六"};
    auto d = dates::parse(date);
    if (!d) {
        return {};
    }
    std::string text = "公历" + std::string(date.substr(0, 4)) + "年" +
                       std::string(date.substr(5, 2)) + "月" + std::string(date.substr(8, 2)) +
                       "日 ";
    return text + lunar::LunarDateText(date) + kWeekdays[dates::weekday(date)];
}

}  // namespace fennory
