#include "core/main_texts.h"

namespace fennory {

Edition editionOf(std::string_view stored) {
    return stored == editionCaption(Edition::UsbStick) ? Edition::UsbStick : Edition::Computer;
}

const char* editionCaption(Edition e) {
    return e == Edition::UsbStick ? "U盘版" : "电脑版";
}

}  // namespace fennory
