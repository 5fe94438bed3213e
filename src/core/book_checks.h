#pragma once
// The bookkeeping screens need a member and an account in the book first.

#include <optional>
#include <string>

#include "core/data_module.h"
#include "core/main_texts.h"

namespace fennory {

// What the main window does instead of the asked-for screen: open this screen
// and show this message.
struct MissingNames {
    std::string screen;  // "family" or "accounts"
    std::string message;
};

// Nothing when the open book has a member (myCheckF) / an account (myCheckA).
std::optional<MissingNames> myCheckF(TfrmDM& dm);
std::optional<MissingNames> myCheckA(TfrmDM& dm);

// The installation's edition, SBase.theBT.
Edition readEdition(Database& db);

}  // namespace fennory
