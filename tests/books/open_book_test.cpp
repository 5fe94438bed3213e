#include <gtest/gtest.h>

#include "books/book_creation.h"
#include "books/open_book.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class OpeningBooks : public testing::BookTest {
protected:
    OpeningBooks() {
        session.CurrentBook.clear();
        make("家", "");
        make("私房钱", "secret");
    }
    void make(const std::string& name, const std::string& pass) {
        NewBookInput in;
        in.name = name;
        in.password = pass;
        in.confirm = pass;
        EXPECT_TRUE(createFirstBook(dm, in).ok);
        session.CurrentBook.clear();
    }
    BookCheck open(const std::string& book, const std::string& pass, bool rememberBook,
                   bool rememberPass) {
        return openBook(dm, {book, pass, rememberBook, rememberPass});
    }
};

TEST_F(OpeningBooks, ABookWithoutPasswordOpensWithAnEmptyField) {
    OpenDialogStart s = openDialogStart(dm);
    EXPECT_EQ(s.books, (std::vector<std::string>{"家", "私房钱"}));
    EXPECT_EQ(s.book, "");
    EXPECT_EQ(s.focus, BookField::BookList);
    ASSERT_TRUE(open("家", "", false, false).ok);
    EXPECT_EQ(session.CurrentBook, "家");
    EXPECT_EQ(session.OpenBookState.thePX, 5);
    EXPECT_EQ(session.OpenBookState.theJZPX, 3);
    EXPECT_TRUE(session.OpenBookState.TX_M);
}

TEST_F(OpeningBooks, ChecksInTheirOrder) {
    EXPECT_EQ(open("", "", false, false).message, "请选择 账簿！如果没有账簿，请退出后新建账簿。");
    BookCheck r = open("私房钱", std::string(21, 'x'), false, false);
    EXPECT_EQ(r.message, "密码 长度不能大于20！");
    EXPECT_EQ(r.field, BookField::Password);
}

TEST_F(OpeningBooks, AWrongPasswordKeepsTheOpenBookAndWritesNothing) {
    ASSERT_TRUE(open("家", "", false, false).ok);
    std::string before = dump();
    BookCheck r = open("私房钱", "Secret", true, true);
    EXPECT_EQ(r.message, "密码错误，请重新录入！");
    EXPECT_EQ(r.field, BookField::Password);
    EXPECT_EQ(session.CurrentBook, "家");
    EXPECT_EQ(dump(), before);
}

TEST_F(OpeningBooks, RememberedBookAndPasswordSurviveARestart) {
    ASSERT_TRUE(open("私房钱", "secret", false, true).ok);
    // The dialog ticks "记住账簿" with "记住密码"; the model gets both.
    ASSERT_TRUE(open("私房钱", "secret", true, true).ok);
    EXPECT_EQ(rows("SELECT BName FROM SMRB"), (Rows{{"私房钱"}}));

    Database reopened = Database::open(folder.path() / "db.eac");
    Session fresh;
    TfrmDM dm2(reopened, fresh);
    OpenDialogStart s = openDialogStart(dm2);
    EXPECT_EQ(s.book, "私房钱");
    EXPECT_TRUE(s.rememberBook);
    EXPECT_EQ(s.password, "secret");
    EXPECT_TRUE(s.rememberPassword);
    EXPECT_EQ(s.focus, BookField::Open);
}

TEST_F(OpeningBooks, ABookJustCreatedIsOfferedInPlaceOfTheRememberedOne) {
    ASSERT_TRUE(open("家", "", true, true).ok);
    OpenDialogStart s = openDialogStart(dm, "私房钱");
    EXPECT_EQ(s.book, "私房钱");
    EXPECT_EQ(s.password, "");  // not the remembered book's
    EXPECT_FALSE(s.rememberBook);
    EXPECT_EQ(s.focus, BookField::Password);
    // A name that is no book offers nothing new.
    EXPECT_EQ(openDialogStart(dm, "无此账簿").book, "家");
}

TEST_F(OpeningBooks, UntickingRememberBookForgetsIt) {
    ASSERT_TRUE(open("私房钱", "secret", true, true).ok);
    ASSERT_TRUE(open("家", "", false, false).ok);
    EXPECT_EQ(one("SELECT count(*) FROM SMRB"), "0");
    OpenDialogStart s = openDialogStart(dm);
    EXPECT_EQ(s.book, "");
    EXPECT_EQ(s.password, "");
    EXPECT_FALSE(s.rememberPassword);
}

TEST_F(OpeningBooks, ARememberedPasswordThatNoLongerMatchesIsRefused) {
    ASSERT_TRUE(open("私房钱", "secret", true, true).ok);
    db.execute("UPDATE SBook SET BPass='new' WHERE BName='私房钱'");
    OpenDialogStart s = openDialogStart(dm);
    EXPECT_EQ(s.password, "secret");
    EXPECT_EQ(open(s.book, s.password, true, true).message, "密码错误，请重新录入！");
}

TEST_F(OpeningBooks, AMissingSettingsRowIsCreatedEmptyWithFlagsOff) {
    db.execute("DELETE FROM SMRX WHERE BName='家'");
    ASSERT_TRUE(open("家", "", false, false).ok);
    EXPECT_EQ(rows("SELECT BPassKG,BPass,FName,AName,D_I,TX_M,TX_T FROM SMRX WHERE BName='家'"),
              (Rows{{"0", "", "", "", "0", "0", "0"}}));
    EXPECT_FALSE(session.OpenBookState.TX_M);
    EXPECT_EQ(session.OpenBookState.FName, "");
}

TEST_F(OpeningBooks, TheBooksDefaultsAndOrdersAreLoaded) {
    db.execute("UPDATE SBook SET thePX=2, theJZPX=4 WHERE BName='家'");
    db.execute(
        "UPDATE SMRX SET FName='爸爸', AName='现金', OName='食品', D_O=1, TX_M=0, TX_T=-1 "
        "WHERE BName='家'");
    ASSERT_TRUE(open("家", "", false, false).ok);
    const BookState& st = session.OpenBookState;
    EXPECT_EQ(st.thePX, 2);
    EXPECT_EQ(st.theJZPX, 4);
    EXPECT_EQ(st.FName, "爸爸");
    EXPECT_EQ(st.AName, "现金");
    EXPECT_EQ(st.OName, "食品");
    EXPECT_TRUE(st.D_O);
    EXPECT_FALSE(st.D_I);
    EXPECT_FALSE(st.TX_M);
    EXPECT_TRUE(st.TX_T);
}

}  // namespace
}  // namespace fennory
