#include <gtest/gtest.h>

#include "books/book_creation.h"
#include "reference/accounts.h"
#include "reference/family.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

// The wizard's account step saves through the accounts model with its own caption.
AccountCheck saveOpeningAccount(TfrmDM& dm, const AccountInput& in) {
    return AccountsModel(dm, openingAccounts()).add(in);
}

using Rows = std::vector<std::vector<std::string>>;

class CreatingBooks : public testing::BookTest {
protected:
    CreatingBooks() { session.CurrentBook.clear(); }
    NewBookInput book(const std::string& name, const std::string& pass = "") {
        NewBookInput in;
        in.name = name;
        in.password = pass;
        in.confirm = pass;
        in.description = "我们家";
        return in;
    }
    std::vector<std::string> column(const std::string& sql) {
        std::vector<std::string> out;
        for (auto& r : rows(sql)) {
            out.push_back(r[0]);
        }
        return out;
    }
};

TEST_F(CreatingBooks, TheProposedNameCountsTheBooks) {
    EXPECT_EQ(myBookNum(db).proposedName, "我家账簿");
    EXPECT_EQ(myBookNum(db).count, 0);
    ASSERT_TRUE(createFirstBook(dm, book("我家账簿")).ok);
    EXPECT_EQ(myBookNum(db).proposedName, "我家账簿1");
    ASSERT_TRUE(createFirstBook(dm, book("我家账簿1")).ok);
    EXPECT_EQ(myBookNum(db).proposedName, "我家账簿2");
}

TEST_F(CreatingBooks, ChecksRefuseInTheirOrderAndWriteNothing) {
    ASSERT_TRUE(createFirstBook(dm, book("家")).ok);
    std::string before = dump();
    NewBookInput in = book("");
    in.password = "a";
    in.confirm = "b";
    BookCheck r = createFirstBook(dm, in);
    EXPECT_EQ(r.message, "新密码与确认密码不一致！");
    EXPECT_EQ(r.field, BookField::Confirm);
    in.confirm = "a";
    r = createFirstBook(dm, in);
    EXPECT_EQ(r.message, "账簿名称 不能为空！");
    EXPECT_EQ(r.field, BookField::Name);
    in.name = "家";
    r = createFirstBook(dm, in);
    EXPECT_EQ(r.message, "账簿名称 重复，请重新录入！");
    EXPECT_EQ(r.field, BookField::Name);
    EXPECT_EQ(dump(), before);
}

TEST_F(CreatingBooks, TheFirstBookGetsItsRowsDefaultsAndSettings) {
    session.StartupDate = "2026-12-09";
    ASSERT_TRUE(createFirstBook(dm, book("O'家", "pw")).ok);
    EXPECT_EQ(session.CurrentBook, "O'家");
    EXPECT_EQ(rows("SELECT BName,BPass,BDate,Remark,thePX,theJZPX FROM SBook"),
              (Rows{{"O'家", "pw", "2026-12-09", "我们家", "5", "3"}}));
    EXPECT_EQ(
        rows("SELECT BName,BPassKG,BPass,FName,AName,IName,OName,TName,PName,D_I,D_O,D_C,"
             "D_B,D_D,D_T,TX_M,TX_T FROM SMRX"),
        (Rows{{"O'家", "0", "", "", "", "", "", "", "", "0", "0", "0", "0", "0", "0", "-1", "0"}}));
    EXPECT_EQ(column("SELECT IName FROM InD ORDER BY ID"), myNewIn());
    EXPECT_EQ(column("SELECT OName FROM OutD ORDER BY ID"), myNewOut());
    EXPECT_EQ(column("SELECT TName FROM TD ORDER BY ID"), myNewTZ());
    EXPECT_EQ(myNewIn().size(), 14u);
    EXPECT_EQ(myNewOut().size(), 50u);
    EXPECT_EQ(myNewTZ().size(), 9u);
    EXPECT_EQ(one("SELECT count(*) FROM OutD WHERE theState<>'启用' OR theCount<>0"), "0");
    EXPECT_EQ(one("SELECT thePY FROM OutD WHERE OName='其他日常杂项'"), "QTRCZX");
    // The book's own drop-downs show them in that order.
    session.OpenBookState.thePX = 5;
    EXPECT_EQ(dm.ComInType(), myNewIn());
}

TEST_F(CreatingBooks, UntickedDefaultListsStayEmpty) {
    NewBookInput in = book("家");
    in.defaultIncome = false;
    in.defaultInvestment = false;
    ASSERT_TRUE(createFirstBook(dm, in).ok);
    EXPECT_EQ(one("SELECT count(*) FROM InD"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM OutD"), "50");
    EXPECT_EQ(one("SELECT count(*) FROM TD"), "0");
}

TEST_F(CreatingBooks, MembersStepChecksAndStores) {
    ASSERT_TRUE(createFirstBook(dm, book("家")).ok);
    MemberCheck r = saveMember(dm, {.name = ""});
    EXPECT_EQ(r.message, "姓名不能为空！请重新录入！");
    ASSERT_TRUE(saveMember(dm, {.name = "爸爸", .relation = "父亲", .birthday = "1980-01-01"}).ok);
    r = saveMember(dm, {.name = "爸爸"});
    EXPECT_EQ(r.message, "姓名添加重复！");
    EXPECT_EQ(r.field, MemberField::Name);
    Table list = FamilyModel(dm).list();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.text(0, "姓名"), "爸爸");
    EXPECT_EQ(list.text(0, "拼音码"), "BB");
    EXPECT_EQ(list.text(0, "生日"), "1980-01-01");
    EXPECT_EQ(list.text(0, "账簿名称"), "家");
}

TEST_F(CreatingBooks, AccountsStepChecksInOrder) {
    ASSERT_TRUE(createFirstBook(dm, book("家")).ok);
    std::string before = dump();
    AccountInput in;
    EXPECT_EQ(saveOpeningAccount(dm, in).message, "请选择 账户分类！");
    in.type = "现金";
    EXPECT_EQ(saveOpeningAccount(dm, in).message, "请选择 家庭成员！");
    in.member = "爸爸";
    EXPECT_EQ(saveOpeningAccount(dm, in).message, "账户名称不能为空！请重新录入！");
    in.name = "钱包";
    AccountCheck r = saveOpeningAccount(dm, in);
    EXPECT_EQ(r.message, "初始金额不能为空！请重新录入！");
    EXPECT_EQ(r.field, AccountField::Amount);
    in.amount = "12元";
    EXPECT_EQ(saveOpeningAccount(dm, in).message, "初始金额 必须是数字！请重新录入！");
    EXPECT_EQ(dump(), before);
    in.amount = "12";
    ASSERT_TRUE(saveOpeningAccount(dm, in).ok);
    EXPECT_EQ(saveOpeningAccount(dm, in).message, "账户名称添加重复！");
}

TEST_F(CreatingBooks, ANegativeOpeningAmountIsLoggedAsNegativeIncome) {
    session.StartupDate = "2026-12-09";
    ASSERT_TRUE(createFirstBook(dm, book("家")).ok);
    ASSERT_TRUE(saveOpeningAccount(dm, {.type = "信用卡",
                                        .member = "妈妈",
                                        .name = "招行信用卡",
                                        .amount = "-1500.5",
                                        .remark = "欠款"})
                    .ok);
    EXPECT_EQ(
        rows("SELECT AName,thePY,theState,theCount,AMoney,theType,FName,Remark FROM SAccount"),
        (Rows{{"招行信用卡", "ZHXYK", "启用", "0", "-15005000", "信用卡", "妈妈", "欠款"}}));
    EXPECT_EQ(rows("SELECT theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,theT,theID,theE "
                   "FROM UList"),
              (Rows{{"2026-12-09", "开户", "欠款", "-15005000", "0", "招行信用卡", "-15005000",
                     "妈妈", "SAccount", one("SELECT ID FROM SAccount"), "新增"}}));
    // Deleting the account in the wizard keeps its opening entry.
    AccountsModel(dm, openingAccounts()).remove(std::stoll(one("SELECT ID FROM SAccount")));
    EXPECT_EQ(one("SELECT count(*) FROM SAccount"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM UList"), "1");
}

TEST_F(CreatingBooks, AFurtherBookCopiesTheChosenGroups) {
    ASSERT_TRUE(createFirstBook(dm, book("源")).ok);
    ASSERT_TRUE(saveMember(dm, {.name = "爸爸", .relation = "父亲"}).ok);
    ASSERT_TRUE(saveOpeningAccount(
                    dm, {.type = "银行卡", .member = "爸爸", .name = "工行", .amount = "100"})
                    .ok);
    dm.AccountUp(Money::yuan(50), "工行");  // the balance has moved since opening
    dm.myCountUp("SAccount", "AName", "工行");
    db.execute("INSERT INTO PD(BName,PName,thePY) VALUES('源','张三','ZS')");

    NewBook1Input in;
    in.book = book("新");
    in.groups = defaultCopySources();
    in.groups[kCopyIncome] = {CopyChoice::Empty, ""};
    in.groups[kCopyMembers] = {CopyChoice::FromBook, "源"};
    in.groups[kCopyAccounts] = {CopyChoice::FromBook, "源"};
    in.groups[kCopyContacts] = {CopyChoice::FromBook, "源"};
    ASSERT_TRUE(createBookWithCopies(dm, in).ok);
    EXPECT_EQ(session.CurrentBook, "源");
    EXPECT_EQ(one("SELECT count(*) FROM InD WHERE BName='新'"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM OutD WHERE BName='新'"), "50");
    EXPECT_EQ(rows("SELECT FName,thePY,theGX FROM SFamily WHERE BName='新'"),
              (Rows{{"爸爸", "BB", "父亲"}}));
    EXPECT_EQ(rows("SELECT AName,AMoney,theCount,theType,FName FROM SAccount WHERE BName='新'"),
              (Rows{{"工行", "1500000", "1", "银行卡", "爸爸"}}));
    EXPECT_EQ(one("SELECT count(*) FROM UList WHERE BName='新'"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM PD WHERE BName='新'"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM SMRX WHERE BName='新'"), "1");
}

TEST_F(CreatingBooks, AGroupWithoutItsSourceBookIsRefusedBeforeAnythingIsWritten) {
    ASSERT_TRUE(createFirstBook(dm, book("源")).ok);
    std::string before = dump();
    NewBook1Input in;
    in.book = book("新");
    in.groups = defaultCopySources();
    in.groups[kCopyAccounts] = {CopyChoice::FromBook, ""};
    BookCheck r = createBookWithCopies(dm, in);
    EXPECT_EQ(r.message, "请选择 账簿名称！");
    EXPECT_EQ(r.field, copyGroupField(kCopyAccounts));
    EXPECT_EQ(dump(), before);
}

}  // namespace
}  // namespace fennory
