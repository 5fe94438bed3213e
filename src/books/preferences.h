#pragma once
// The open book's preferences: its defaults for new records, its display
// filters and start-up switches (SMRX), its two order codes (SBook), and the
// installation's edition (SBase).

#include <string>
#include <vector>

#include "core/data_module.h"
#include "core/main_texts.h"

namespace fennory {

// The six default names, in the dialog's order.
enum class DefaultName { Member, Account, Income, Expense, Investment, Contact };

struct BookDefaults {
    std::string names[6];  // by DefaultName; "" for none
    bool D_I = false, D_O = false, D_C = false, D_B = false, D_D = false, D_T = false;
    bool TX_M = false, TX_T = false, TX_B = true;
};

// The names each default may take: the book's members, enabled accounts,
// categories and contacts.
std::vector<std::string> defaultChoices(TfrmDM& dm, DefaultName which);

// The stored defaults; a name no longer offered reads as none.
BookDefaults loadDefaults(TfrmDM& dm);
// "保存": into SMRX and at once into the open book's state.
void saveDefaults(TfrmDM& dm, const BookDefaults& d);

struct SortOrders {
    int thePX = 5;    // drop-down lists: 1..5
    int theJZPX = 3;  // record lists: 1..4
};
SortOrders loadSortOrders(TfrmDM& dm);
// Takes effect when the book is next opened.
void saveSortOrders(TfrmDM& dm, const SortOrders& s);

void saveEdition(Database& db, Edition edition);

}  // namespace fennory
