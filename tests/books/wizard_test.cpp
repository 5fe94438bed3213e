#include <gtest/gtest.h>

#include "books/book_creation.h"
#include "books/wizard.h"
#include "core/book_checks.h"
#include "reference/accounts.h"
#include "reference/family.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class Wizard : public testing::BookTest {};

TEST_F(Wizard, TheMemberStepLeadsOnAfterASaveOrCancelAndWithAMember) {
    FamilyModel members(dm);
    members.refresh();
    WizardGate gate(WizardStepKind::Members);
    EXPECT_FALSE(gate.nextEnabled(members));
    members.startNew();
    members.cancel();
    gate.touched();
    EXPECT_TRUE(gate.nextEnabled(members));
    EXPECT_EQ(gate.checkNext(members).message, "至少新增一个家庭成员！");

    members.startNew();
    EXPECT_FALSE(gate.nextEnabled(members));  // not while entering
    ASSERT_TRUE(members.save({.name = "爸爸"}).ok);
    EXPECT_TRUE(gate.nextEnabled(members));
    EXPECT_TRUE(gate.checkNext(members).ok);
}

TEST_F(Wizard, TheAccountStepNeedsAnAccount) {
    AccountsModel accounts(dm, openingAccounts());
    accounts.refresh();
    WizardGate gate(WizardStepKind::Accounts);
    EXPECT_EQ(gate.checkNext(accounts).message, "至少新增一个账户！");
    accounts.startNew();
    ASSERT_TRUE(
        accounts.save({.type = "现金", .member = "爸爸", .name = "钱包", .amount = "0"}).ok);
    EXPECT_TRUE(gate.checkNext(accounts).ok);
    EXPECT_EQ(accounts.text(AccountColumn::Name), "钱包");
}

TEST_F(Wizard, WhichBookDialogAppears) {
    testing::TempFolder empty;
    Database fresh = Database::create(empty.path() / "db.eac");
    EXPECT_EQ(startUpDialog(fresh), BookDialog::FirstBook);
    EXPECT_EQ(newBookDialog(fresh), BookDialog::FirstBook);
    db.execute("INSERT INTO SBook(BName) VALUES('家')");
    EXPECT_EQ(startUpDialog(db), BookDialog::OpenBook);
    EXPECT_EQ(newBookDialog(db), BookDialog::FurtherBook);
}

}  // namespace
}  // namespace fennory
