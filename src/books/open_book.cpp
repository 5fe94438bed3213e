#include "books/open_book.h"

#include <fmt/format.h>

#include <algorithm>

#include "books/book_creation.h"
#include "core/gbk.h"

namespace fennory {
namespace {

void mySaveMRB(Database& db, const OpenInput& in) {
    if (!in.rememberBook) {
        db.execute("DELETE FROM SMRB");
        return;
    }
    if (db.queryInt("SELECT count(*) FROM SMRB").value_or(0) > 0) {
        db.execute("UPDATE SMRB SET BName=?1", in.book);
    } else {
        db.execute("INSERT INTO SMRB(BName) VALUES(?1)", in.book);
    }
}

void mySaveMRX(Database& db, const OpenInput& in) {
    if (db.queryInt("SELECT count(*) FROM SMRX WHERE BName=?1", in.book).value_or(0) == 0) {
        db.execute(
            "INSERT INTO SMRX(BName,BPass,FName,IName,OName,TName,BPassKG,AName,D_I,D_O,D_C,D_B,"
            "D_D,D_T,TX_M,TX_T) VALUES(?1,'','','','','',0,'',0,0,0,0,0,0,0,0)",
            in.book);
    }
    if (in.rememberPassword) {
        db.execute("UPDATE SMRX SET BPass=?1, BPassKG=1 WHERE BName=?2", in.password, in.book);
    } else {
        db.execute("UPDATE SMRX SET BPass='', BPassKG=0 WHERE BName=?1", in.book);
    }
}

}  // namespace

OpenDialogStart openDialogStart(TfrmDM& dm, const std::string& offered) {
    OpenDialogStart s;
    s.books = dm.DBComSBook();
    s.focus = BookField::BookList;
    Statement mrb = dm.db().prepare("SELECT BName FROM SMRB");
    std::vector<std::string> remembered;
    while (mrb.step()) {
        remembered.push_back(mrb.text(0));
    }
    if (remembered.size() == 1) {
        s.book = remembered.front();
        s.rememberBook = true;
        s.focus = BookField::Password;
    }
    Statement mrx = dm.db().prepare("SELECT BPass FROM SMRX WHERE BName=?1 AND BPassKG=1");
    mrx.bind(1, s.book);
    std::vector<std::string> passwords;
    while (mrx.step()) {
        passwords.push_back(mrx.text(0));
    }
    if (passwords.size() == 1) {
        s.password = passwords.front();
        s.rememberPassword = true;
        s.focus = BookField::Open;
    }
    const bool known = std::find(s.books.begin(), s.books.end(), offered) != s.books.end();
    if (known && offered != s.book) {
        // The new book's password was just typed; another book's is not offered.
        s.book = offered;
        s.rememberBook = false;
        s.password.clear();
        s.rememberPassword = false;
        s.focus = BookField::Password;
    }
    return s;
}

BookCheck openBookForScript(TfrmDM& dm, const std::string& book, const std::string& password) {
    if (!bookExists(dm, book)) {
        return BookCheck::fail(fmt::format("账簿“{}”不存在。", book), BookField::BookList);
    }
    const auto found = dm.db().queryInt(
        "SELECT count(*) FROM SBook WHERE BName=?1 AND BPass=?2", book, password);
    if (found.value_or(0) != 1) {
        return BookCheck::fail("密码错误。", BookField::Password);
    }
    dm.session().CurrentBook = book;
    dm.session().OpenBookState = BookState{};
    loadOpenBookState(dm);
    return BookCheck::pass();
}

BookCheck openBook(TfrmDM& dm, const OpenInput& in) {
    if (in.book.empty()) {
        return BookCheck::fail("请选择 账簿！如果没有账簿，请退出后新建账簿。",
                               BookField::BookList);
    }
    if (gbk::byteLength(in.password) > 20) {
        return BookCheck::fail("密码 长度不能大于20！", BookField::Password);
    }
    Statement s = dm.db().prepare("SELECT thePX, theJZPX FROM SBook WHERE BName=?1 AND BPass=?2");
    s.bindAll(in.book, in.password);
    int found = 0;
    std::int64_t px = 5, jzpx = 3;
    while (s.step()) {
        ++found;
        px = s.integer(0);
        jzpx = s.integer(1);
    }
    if (found != 1) {
        // The book open until now stays open and usable.
        return BookCheck::fail("密码错误，请重新录入！", BookField::Password);
    }
    // Remembering must not throw away the open after a write error: one unit.
    Transaction t(dm.db());
    mySaveMRB(dm.db(), in);
    mySaveMRX(dm.db(), in);
    t.commit();
    dm.session().CurrentBook = in.book;
    dm.session().OpenBookState = BookState{};
    dm.session().OpenBookState.thePX = static_cast<int>(px);
    dm.session().OpenBookState.theJZPX = static_cast<int>(jzpx);
    loadOpenBookState(dm);
    return BookCheck::pass();
}

void loadOpenBookState(TfrmDM& dm) {
    BookState& st = dm.session().OpenBookState;
    Statement b = dm.db().prepare("SELECT thePX, theJZPX FROM SBook WHERE BName=?1");
    b.bind(1, dm.book());
    if (b.step()) {
        st.thePX = static_cast<int>(b.integer(0));
        st.theJZPX = static_cast<int>(b.integer(1));
    }
    Statement s = dm.db().prepare(
        "SELECT FName, AName, IName, OName, TName, PName, D_I, D_O, D_C, D_B, D_D, D_T, TX_M, "
        "TX_T, TX_B FROM SMRX WHERE BName=?1");
    s.bind(1, dm.book());
    std::vector<BookState> found;
    while (s.step()) {
        BookState r = st;
        r.FName = s.text(0);
        r.AName = s.text(1);
        r.IName = s.text(2);
        r.OName = s.text(3);
        r.TName = s.text(4);
        r.PName = s.text(5);
        r.D_I = s.integer(6) != 0;
        r.D_O = s.integer(7) != 0;
        r.D_C = s.integer(8) != 0;
        r.D_B = s.integer(9) != 0;
        r.D_D = s.integer(10) != 0;
        r.D_T = s.integer(11) != 0;
        r.TX_M = s.integer(12) != 0;
        r.TX_T = s.integer(13) != 0;
        r.TX_B = s.integer(14) != 0;
        found.push_back(r);
    }
    if (found.size() == 1) {
        st = found.front();
    }
}

bool bookExists(TfrmDM& dm, const std::string& book) {
    return dm.db().queryInt("SELECT count(*) FROM SBook WHERE BName=?1", book).value_or(0) > 0;
}

}  // namespace fennory
