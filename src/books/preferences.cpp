#include "books/preferences.h"

#include <algorithm>

namespace fennory {

std::vector<std::string> defaultChoices(TfrmDM& dm, DefaultName which) {
    switch (which) {
        case DefaultName::Member:
            return dm.ComFamily();
        case DefaultName::Account:
            return dm.ComAccount();
        case DefaultName::Income:
            return dm.ComInType();
        case DefaultName::Expense:
            return dm.ComOutType();
        case DefaultName::Investment:
            return dm.ComTZType();
        case DefaultName::Contact:
            return dm.ComPType();
    }
    return {};
}

BookDefaults loadDefaults(TfrmDM& dm) {
    BookDefaults d;
    Statement s = dm.db().prepare(
        "SELECT FName, AName, IName, OName, TName, PName, D_I, D_O, D_C, D_B, D_D, D_T, TX_M, "
        "TX_T, TX_B FROM SMRX WHERE BName=?1");
    s.bind(1, dm.book());
    if (!s.step()) {
        return d;
    }
    for (int i = 0; i < 6; ++i) {
        const std::string stored = s.text(i);
        const auto offered = defaultChoices(dm, static_cast<DefaultName>(i));
        // A name disabled or deleted since is not offered any more.
        if (std::find(offered.begin(), offered.end(), stored) != offered.end()) {
            d.names[i] = stored;
        }
    }
    bool* flags[9] = {&d.D_I, &d.D_O, &d.D_C, &d.D_B, &d.D_D, &d.D_T, &d.TX_M, &d.TX_T, &d.TX_B};
    for (int i = 0; i < 9; ++i) {
        *flags[i] = s.integer(6 + i) != 0;
    }
    return d;
}

void saveDefaults(TfrmDM& dm, const BookDefaults& d) {
    auto flag = [](bool b) { return b ? 1 : 0; };
    dm.db().execute(
        "UPDATE SMRX SET FName=?1, AName=?2, IName=?3, OName=?4, TName=?5, PName=?6, D_I=?7, "
        "D_O=?8, D_C=?9, D_B=?10, D_D=?11, D_T=?12, TX_M=?13, TX_T=?14, TX_B=?16 WHERE BName=?15",
        d.names[0], d.names[1], d.names[2], d.names[3], d.names[4], d.names[5], flag(d.D_I),
        flag(d.D_O), flag(d.D_C), flag(d.D_B), flag(d.D_D), flag(d.D_T), flag(d.TX_M), flag(d.TX_T),
        dm.book(), flag(d.TX_B));
    BookState& b = dm.session().OpenBookState;
    b.FName = d.names[0];
    b.AName = d.names[1];
    b.IName = d.names[2];
    b.OName = d.names[3];
    b.TName = d.names[4];
    b.PName = d.names[5];
    b.D_I = d.D_I;
    b.D_O = d.D_O;
    b.D_C = d.D_C;
    b.D_B = d.D_B;
    b.D_D = d.D_D;
    b.D_T = d.D_T;
    b.TX_M = d.TX_M;
    b.TX_T = d.TX_T;
    b.TX_B = d.TX_B;
}

SortOrders loadSortOrders(TfrmDM& dm) {
    SortOrders o;
    Statement s = dm.db().prepare("SELECT thePX, theJZPX FROM SBook WHERE BName=?1");
    s.bind(1, dm.book());
    if (s.step()) {
        o.thePX = static_cast<int>(s.integer(0));
        o.theJZPX = static_cast<int>(s.integer(1));
    }
    return o;
}

void saveSortOrders(TfrmDM& dm, const SortOrders& o) {
    dm.db().execute("UPDATE SBook SET thePX=?1, theJZPX=?2 WHERE BName=?3", o.thePX, o.theJZPX,
                    dm.book());
}

void saveEdition(Database& db, Edition edition) {
    db.execute("UPDATE SBase SET theBT=?1 WHERE ID=1", editionCaption(edition));
}

}  // namespace fennory
