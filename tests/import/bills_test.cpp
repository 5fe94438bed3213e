// Bills of payment services and banks, written here with invented data in the
// layouts the services export.

#include <gtest/gtest.h>
#include <iconv.h>

#include <fstream>
#include <random>

#include "core/history.h"
#include "core/record_types.h"
#include "core/totals.h"
#include "import/bills.h"
#include "import/refund_links.h"
#include "import/spreadsheet_reader.h"
#include "reporting/sheet.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;

std::string toGb18030(const std::string& utf8) {
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    char* o = out.data();
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// The current 支付宝 export: GB18030, a preamble, padded cells, IDs with a tab.
std::string alipayCsv(const std::vector<std::string>& rows) {
    std::string s =
        "------------------------------------------------------------------------------------\n"
        "导出信息：\n姓名：测试用户\n支付宝账户：test@example.com\n"
        "起始时间：[2024-03-01 00:00:00]    终止时间：[2024-03-31 23:59:59]\n"
        "导出交易类型：[全部]\n共" +
        std::to_string(rows.size()) +
        "笔记录\n\n特别提示：\n1.本回单仅供参考\n"
        "----------------------电子客户回单----------------------\n"
        "交易时间,交易分类,交易对方,对方账号,商品说明,收/支,金额,收/付款方式,交易状态,交易订单号,"
        "商家订单号,备注,\n";
    for (const auto& r : rows) {
        s += r + "\n";
    }
    return toGb18030(s);
}

// The 微信支付 export: UTF-8 with a byte-order mark, sixteen preamble lines.
std::string wechatCsv(const std::vector<std::string>& rows) {
    std::string s =
        "\xEF\xBB\xBF微信支付账单明细,,,,,,,,\n微信昵称：[测试],,,,,,,,\n"
        "起始时间：[2024-03-01 00:00:00] 终止时间：[2024-03-31 23:59:59],,,,,,,,\n"
        "导出类型：[全部],,,,,,,,\n导出时间：[2024-04-01 10:00:00],,,,,,,,\n,,,,,,,,\n"
        "共3笔记录,,,,,,,,\n收入：1笔 ¥100.00,,,,,,,,\n支出：2笔 ¥50.00,,,,,,,,\n"
        "中性交易：0笔 ¥0.00,,,,,,,,\n注：,,,,,,,,\n"
        "1. 充值/提现/理财通购买/零钱通存取/信用卡还款等交易，将计入中性交易,,,,,,,,\n"
        "2. 本明细仅展示当前账单中的交易,,,,,,,,\n3. 仅供个人对账使用,,,,,,,,\n"
        ",,,,,,,,\n----------------------微信支付账单明细列表--------------------,,,,,,,,\n"
        "交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,"
        "商户单号,备注\n";
    for (const auto& r : rows) {
        s += r + "\n";
    }
    return s;
}

class Bills : public testing::BookTest {
protected:
    Bills() : bills(dm) {
        addName("SFamily", "FName", "爸爸", "bb");
        session.OpenBookState.OName = "其他支出";
    }
    fs::path write(const std::string& name, const std::string& bytes) {
        const fs::path f = folder.path() / name;
        std::ofstream(f, std::ios::binary) << bytes;
        return f;
    }
    Bill read(const fs::path& f) {
        BillRead r = readBill(f, savedLayouts(db));
        EXPECT_TRUE(r.check.ok) << r.check.message;
        bills.prepare(r.bill, "爸爸");
        return r.bill;
    }
    std::vector<std::string> fates(const Bill& b) {
        std::vector<std::string> out;
        for (const auto& r : b.rows) {
            out.push_back(fateCaption(r.fate));
        }
        return out;
    }
    std::string balance(const char* a) { return dm.RetAMoney(a).toPlain(); }

    BillImport bills;
};

const std::vector<std::string> kAlipayRows = {
    "2024-03-05 12:30:00,餐饮美食,某某餐厅,shop***@example.com,午餐,支出,35.50,"
    "招商银行信用卡(1234),交易成功,2024030522001400000000000001\t,T0001\t,,",
    "2024-03-06 09:00:00,收入,某某公司,pay***@example.com,报销款,收入,200.00,,交易成功,"
    "2024030622001400000000000002\t,,,",
    "2024-03-07 10:00:00,投资理财,余额宝,,余额宝-自动转入,不计收支,100.00,余额,交易成功,"
    "2024030722001400000000000003\t,,,",
    "2024-03-08 11:00:00,日用百货,某某超市,,购物,支出,20.00,余额,交易关闭,"
    "2024030822001400000000000004\t,,,",
    "2024-03-09 15:00:00,退款,某某餐厅,,午餐退款,不计收支,10.00,招商银行信用卡(1234),退款成功,"
    "2024030922001400000000000005\t,,,",
};

TEST_F(Bills, AnAlipayBillIsReadFromGb18030WithItsFates) {
    const Bill b = read(write("alipay.csv", alipayCsv(kAlipayRows)));
    EXPECT_EQ(b.source, "支付宝");
    ASSERT_EQ(b.rows.size(), 5u);
    EXPECT_EQ(b.rows[0].date, "2024-03-05");
    EXPECT_EQ(b.rows[0].amount.toPlain(), "35.5");
    EXPECT_EQ(b.rows[0].txId, "2024030522001400000000000001");  // the tab gone
    EXPECT_EQ(b.rows[0].bookCategory, "外出就餐");              // the common category's default
    EXPECT_EQ(b.rows[0].account, "招商银行信用卡(1234)");
    EXPECT_EQ(b.rows[1].account, "支付宝");
    EXPECT_EQ(fates(b), (std::vector<std::string>{"将导入", "将导入", "不计收支", "交易关闭",
                                                  "退款（冲减支出）"}));
    const auto t = bills.totals(b);
    EXPECT_EQ(t.at(BillFate::Import).count, 2u);
    EXPECT_EQ(t.at(BillFate::Import).income.toPlain(), "200");
    EXPECT_EQ(t.at(BillFate::Import).expense.toPlain(), "35.5");
}

TEST_F(Bills, BookingTakesIncomeExpensesAndRefundsOnceAndNeverTwice) {
    const fs::path f = write("alipay.csv", alipayCsv(kAlipayRows));
    Bill b = read(f);
    EXPECT_EQ(bills.book(b), 3u);
    // The refund takes back from the expense it belongs to: a negative expense.
    EXPECT_EQ(
        rows("SELECT OName, OMoney FROM OutTable ORDER BY ID"),
        (std::vector<std::vector<std::string>>{{"外出就餐", "355000"}, {"外出就餐", "-100000"}}));
    EXPECT_EQ(one("SELECT IName||IMoney||Remark FROM InTable"), "其他收入2000000某某公司 报销款");
    EXPECT_EQ(balance("招商银行信用卡(1234)"), "-25.5");
    EXPECT_EQ(balance("支付宝"), "200");
    EXPECT_EQ(one("SELECT count(*) FROM UList WHERE theE='导入'"), "3");

    // The same bill again books nothing: every row was seen.
    Bill again = read(f);
    EXPECT_EQ(fates(again)[0], "已导入");
    EXPECT_EQ(bills.book(again), 0u);
    EXPECT_EQ(one("SELECT count(*) FROM OutTable"), "2");
}

// A file of a hundred megabytes (one endless line) is no bill: refused by its
// size, before a byte of it is read into memory.
TEST_F(Bills, AFileFarBeyondAnyBillIsRefusedUnread) {
    const fs::path f = folder.path() / "huge.csv";
    { std::ofstream(f) << "交易时间,金额\n"; }
    fs::resize_file(f, 100u << 20);
    const BillRead r = readBill(f, {});
    EXPECT_FALSE(r.check.ok);
    EXPECT_NE(r.check.message.find("不像是账单"), std::string::npos) << r.check.message;
}

// Under the size limit but nothing except separators: every comma would be a
// cell and every line end a row of its own, gigabytes of them from 64 MB.
// Refused by the count, cells with the limit a sheet has.
TEST_F(Bills, ABillOfNothingButSeparatorsIsRefusedByItsCount) {
    for (const auto& [separator, count] : {std::pair{',', kMaxCells}, {'\n', kMaxBillRows}}) {
        const fs::path f = folder.path() / "separators.csv";
        {
            std::ofstream out(f, std::ios::binary);
            out << "交易时间,金额\n" << std::string(count + 10, separator);
        }
        const BillRead r = readBill(f, {});
        EXPECT_FALSE(r.check.ok);
        EXPECT_NE(r.check.message.find("账单太大"), std::string::npos) << r.check.message;
    }
}

// Long text where a date, a statement's period or a fee is looked for: a
// date cell of a megabyte, or a preamble line with a megabyte of blanks
// inside its period, is read like any other instead of bringing the program
// down (the patterns once recursed once a character).
TEST_F(Bills, MegabytesInsideADateAPeriodOrANoteAreReadNotRecursedInto) {
    const std::string longText(1u << 20, 'x');
    const std::string row = ",商户消费,超市,\"牛奶\",支出,¥12.50,零钱,支付成功,42000001,10001,";
    const BillRead date =
        readBill(write("date.csv", wechatCsv({"20240305 " + longText + row + "/"})), {});
    ASSERT_TRUE(date.check.ok) << date.check.message;
    ASSERT_EQ(date.bill.rows.size(), 1u);
    EXPECT_EQ(date.bill.rows[0].date, "2024-03-05");

    const BillRead period =
        readBill(write("period.csv", "账单期间：2024" + std::string(1u << 20, ' ') +
                                         "-03-01 至 2024-03-31\n" +
                                         wechatCsv({"2024-03-05 08:15:00" + row + "/"})),
                 {});
    ASSERT_TRUE(period.check.ok) << period.check.message;
    ASSERT_EQ(period.bill.rows.size(), 1u);
    EXPECT_EQ(period.bill.rows[0].date, "2024-03-05");

    const BillRead note =
        readBill(write("note.csv", wechatCsv({"2024-03-05 08:15:00" + row + "服务费" +
                                              std::string(1u << 20, ' ') + "0.10"})),
                 {});
    ASSERT_TRUE(note.check.ok) << note.check.message;
    EXPECT_EQ(note.bill.rows.size(), 2u) << "the fee is a row of its own";
}

// Taking a booking back forgets the bill's rows too: the same file books again.
TEST_F(Bills, AnUndoneBookingCanBeBookedAgain) {
    History history(db, [this] { return dm.book(); });
    const fs::path f = write("alipay.csv", alipayCsv(kAlipayRows));
    Bill b = read(f);
    ASSERT_EQ(bills.book(b), 3u);
    ASSERT_TRUE(history.undoable());
    EXPECT_EQ(history.undoable()->caption, "导入 支付宝账单 3 笔");
    EXPECT_EQ(history.undoable()->moneyIn.toPlain(), "200");
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(one("SELECT count(*) FROM OutTable"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM BillSeen"), "0");
    EXPECT_EQ(balance("支付宝"), "0");

    Bill again = read(f);
    EXPECT_EQ(fates(again)[0], "将导入");
    EXPECT_EQ(bills.book(again), 3u);
    EXPECT_EQ(balance("招商银行信用卡(1234)"), "-25.5");
}

TEST_F(Bills, AnAmountNoOneCouldTypeIsRefusedAsTypedAndImportedOnesAre) {
    // The bill books on the path every record takes: the same limit holds.
    const fs::path f =
        write("huge.csv", alipayCsv({"2024-03-05 12:30:00,餐饮美食,某某餐厅,,午餐,支出,99999999999,"
                                     "余额,交易成功,2024030522001400000000000009\t,,,",
                                     kAlipayRows[1]}));
    Bill b = read(f);
    const std::string before = dump();
    try {
        bills.book(b);
        ADD_FAILURE() << "the bill was booked";
    } catch (const RecordRefused& e) {
        EXPECT_NE(std::string(e.what()).find("超出范围"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dump(), before);
}

TEST_F(Bills, AnOverlappingBillBooksOnlyItsNewRows) {
    Bill first = read(write("a.csv", alipayCsv({kAlipayRows[0], kAlipayRows[1]})));
    ASSERT_EQ(bills.book(first), 2u);
    Bill second =
        read(write("b.csv", alipayCsv({kAlipayRows[1],
                                       "2024-03-20 12:00:00,餐饮美食,某某面馆,,晚餐,支出,"
                                       "18.00,余额,交易成功,2024032022001400000000000009\t,,,"})));
    EXPECT_EQ(fates(second), (std::vector<std::string>{"已导入", "将导入"}));
    EXPECT_EQ(second.rows[1].account, "支付宝余额");
    EXPECT_EQ(bills.book(second), 1u);
    EXPECT_EQ(one("SELECT count(*) FROM InTable"), "1");
    // The first bill again: every row once, nothing more.
    Bill first2 = read(write("a.csv", alipayCsv({kAlipayRows[0], kAlipayRows[1]})));
    EXPECT_EQ(fates(first2), (std::vector<std::string>{"已导入", "已导入"}));
    EXPECT_EQ(bills.book(first2), 0u);
    EXPECT_EQ(one("SELECT count(*) FROM OutTable"), "2");
}

TEST_F(Bills, WhatTheUserBookedIsLearnedForTheNextBill) {
    Bill b = read(write("a.csv", alipayCsv({kAlipayRows[0]})));
    b.rows[0].bookCategory = "午饭";
    b.rows[0].account = "信用卡";
    ASSERT_EQ(bills.book(b), 1u);
    Bill next = read(write("b.csv", alipayCsv({"2024-04-01 12:00:00,餐饮美食,另一家餐厅,,午餐,支出,"
                                               "30.00,招商银行信用卡(1234),交易成功,"
                                               "2024040122001400000000000010\t,,,"})));
    EXPECT_EQ(next.rows[0].bookCategory, "午饭");
    EXPECT_EQ(next.rows[0].account, "信用卡");
}

// 支付宝 writes a fully refunded payment as "交易关闭" and its refund as a row
// of its own: neither is booked, and the account ends where it was.
TEST_F(Bills, TheRefundOfAClosedTradeIsNotBooked) {
    Bill b = read(write(
        "closed.csv",
        alipayCsv({"2024-03-10 10:00:00,日用百货,某某商店,,水杯,支出,50.00,余额,交易关闭,"
                   "2024031022001400000000000020\t,,,",
                   "2024-03-11 10:00:00,退款,某某商店,,水杯-退款,不计收支,50.00,余额,退款成功,"
                   "2024031022001400000000000020_R1\t,,,",
                   kAlipayRows[1]})));
    EXPECT_EQ(fates(b), (std::vector<std::string>{"交易关闭", "退款（原付款未记账）", "将导入"}));
    EXPECT_EQ(bills.book(b), 1u);
    EXPECT_EQ(one("SELECT count(*) FROM OutTable"), "0");
    EXPECT_EQ(balance("支付宝余额"), "0");
    const auto t = bills.totals(b);
    EXPECT_EQ(t.at(BillFate::RefundOfUnbooked).count, 1u);
}

// A refund of a payment booked by an earlier bill is booked, and nets to zero.
TEST_F(Bills, TheRefundOfAPaymentBookedEarlierNetsToZero) {
    Bill first = read(write(
        "a.csv", alipayCsv({"2024-03-10 10:00:00,日用百货,某某商店,,水杯,支出,50.00,余额,交易成功,"
                            "2024031022001400000000000021\t,,,"})));
    ASSERT_EQ(bills.book(first), 1u);
    Bill second = read(write(
        "b.csv",
        alipayCsv({"2024-03-12 10:00:00,退款,某某商店,,水杯-退款,不计收支,50.00,余额,退款成功,"
                   "2024031022001400000000000021_R1\t,,,"})));
    EXPECT_EQ(fates(second), (std::vector<std::string>{"退款（冲减支出）"}));
    ASSERT_EQ(bills.book(second), 1u);
    EXPECT_EQ(balance("支付宝余额"), "0");
    EXPECT_EQ(one("SELECT sum(OMoney) FROM OutTable"), "0");
}

// "已导入" means booked by an earlier import of this book, nothing else: rows
// of one file that share an ID but differ are each booked, once.
TEST_F(Bills, RowsOfOneBillSharingAnIdAreEachBookedOnce) {
    const fs::path f =
        write("parts.csv",
              alipayCsv({"2024-03-15 09:00:00,日用百货,某某超市,,纸巾,支出,12.00,余额,交易成功,"
                         "2024031522001400000000000030\t,,,",
                         "2024-03-15 09:00:00,日用百货,某某超市,,洗衣液,支出,30.00,余额,交易成功,"
                         "2024031522001400000000000030\t,,,"}));
    Bill b = read(f);
    EXPECT_EQ(fates(b), (std::vector<std::string>{"将导入", "将导入"}));
    ASSERT_EQ(bills.book(b), 2u);
    EXPECT_EQ(balance("支付宝余额"), "-42");
    Bill again = read(f);
    EXPECT_EQ(fates(again), (std::vector<std::string>{"已导入", "已导入"}));
    EXPECT_EQ(bills.book(again), 0u);
}

// A refund's category is borrowed from its payment for that row only; what is
// learned is what the user chose.
TEST_F(Bills, ARefundsBorrowedCategoryIsNotLearned) {
    Bill b = read(
        write("a.csv",
              alipayCsv({"2024-03-10 08:00:00,交通出行,某某公交,,车票,支出,2.00,余额,交易成功,"
                         "2024031022001400000000000040\t,,,",
                         "2024-03-10 09:00:00,退款,某某公交,,车票-退款,不计收支,2.00,余额,退款成功,"
                         "2024031022001400000000000040_R1\t,,,"})));
    EXPECT_EQ(b.rows[1].bookCategory, "公共汽车费");
    ASSERT_EQ(bills.book(b), 2u);
    EXPECT_EQ(one("SELECT count(*) FROM BillMap WHERE BillValue='退款'"), "0");

    Bill next = read(write(
        "b.csv",
        alipayCsv({"2024-04-01 10:00:00,日用百货,某某商店,,水杯,支出,50.00,余额,交易成功,"
                   "2024040122001400000000000041\t,,,",
                   "2024-04-02 10:00:00,退款,某某商店,,水杯-退款,不计收支,50.00,余额,退款成功,"
                   "2024040122001400000000000041_R1\t,,,"})));
    EXPECT_EQ(next.rows[1].bookCategory, "日常用品");

    // Chosen by the user, it is learned.
    next.rows[1].bookCategory = "退货";
    next.rows[1].categoryInferred = false;
    ASSERT_EQ(bills.book(next), 2u);
    EXPECT_EQ(one("SELECT Target FROM BillMap WHERE BillValue='退款'"), "退货");
}

// Accounts a bill makes take the type their method says, so that a card's
// debt counts among the liabilities, not the funds.
TEST_F(Bills, AccountsABillMakesTakeTheTypeTheirMethodSays) {
    Bill b = read(write(
        "methods.csv",
        alipayCsv({kAlipayRows[0],
                   "2024-03-05 13:00:00,日用百货,某某超市,,纸巾,支出,5.00,花呗,交易成功,"
                   "2024030522001400000000000050\t,,,",
                   "2024-03-05 14:00:00,日用百货,某某超市,,牙刷,支出,6.00,余额宝,交易成功,"
                   "2024030522001400000000000051\t,,,",
                   "2024-03-05 15:00:00,日用百货,某某超市,,毛巾,支出,7.00,中国银行储蓄卡(5678),"
                   "交易成功,2024030522001400000000000052\t,,,"})));
    ASSERT_EQ(bills.book(b), 4u);
    EXPECT_EQ(rows("SELECT AName, theType FROM SAccount ORDER BY ID"),
              (std::vector<std::vector<std::string>>{{"招商银行信用卡(1234)", "信用卡"},
                                                     {"花呗", "信用卡"},
                                                     {"余额宝", "电子账户"},
                                                     {"中国银行储蓄卡(5678)", "银行卡"}}));
    EXPECT_EQ(mySum(dm).creditCard.toPlain(), "-40.5");  // a liability, not funds
    EXPECT_EQ(mySum(dm).electronic.toPlain(), "-6");
    EXPECT_EQ(billAccountType("微信", "零钱通", "微信零钱通"), "电子账户");
    EXPECT_EQ(billAccountType("美团", "美团月付", "美团月付"), "信用卡");
    EXPECT_EQ(billAccountType("银行：工资卡", "", "工资卡"), "银行卡");
}

// The 京东 export: UTF-8 with a byte-order mark, a preamble, every cell ending
// in a tab; an amount may say how much of it came back.
std::string jdCsv(const std::vector<std::vector<std::string>>& rows) {
    std::string s =
        "\xEF\xBB\xBF导出信息：\n京东账号名：测试用户\n日期区间：2024-03-01 至 2024-03-31\n"
        "导出时间：2024-04-01 10:00:00\n\n特别提示：\n本明细仅展示交易记录\n\n";
    const std::vector<std::string> header = {"交易时间",    "商户名称",   "交易说明", "金额",
                                             "收/付款方式", "交易状态",   "收/支",    "交易分类",
                                             "交易订单号",  "商家订单号", "备注"};
    for (const auto& row : [&] {
             auto all = rows;
             all.insert(all.begin(), header);
             return all;
         }()) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            s += (i ? "," : "") + row[i] + "\t";
        }
        s += "\n";
    }
    return s;
}

TEST_F(Bills, AJdBillIsReadByItsOwnHeaderWithPartRefunds) {
    Bill b = read(write(
        "jd.csv", jdCsv({{"2024-03-05 10:00:00", "京东商城", "键盘", "131.77(已退款89.84)",
                          "京东白条", "交易成功", "支出", "数码电器", "300001", "", ""},
                         {"2024-03-06 11:00:00", "京东商城", "耳机", "59.00",
                          "招商银行信用卡(1234)", "交易成功", "支出", "数码电器", "300002", "", ""},
                         {"2024-03-07 12:00:00", "京东商城", "鼠标", "25.00", "京东白条",
                          "退款成功", "不计收支", "数码电器", "300003", "", ""},
                         {"2024-03-08 09:00:00", "京东金融", "小金库收益", "0.35", "京东小金库",
                          "交易成功", "收入", "理财", "300004", "", ""}})));
    EXPECT_EQ(b.source, "京东");
    ASSERT_EQ(b.rows.size(), 4u);
    EXPECT_EQ(b.rows[0].amount.toPlain(), "41.93");  // 131.77 paid, 89.84 back
    EXPECT_EQ(b.rows[0].counterparty, "京东商城");
    EXPECT_EQ(b.rows[0].remark(), "京东商城 键盘");
    EXPECT_EQ(fates(b), (std::vector<std::string>{"将导入", "将导入", "不计收支", "将导入"}));
    ASSERT_EQ(bills.book(b), 3u);
    EXPECT_EQ(balance("京东白条"), "-41.93");
    EXPECT_EQ(balance("京东小金库"), "0.35");
    EXPECT_EQ(one("SELECT theType FROM SAccount WHERE AName='京东白条'"), "信用卡");
    EXPECT_EQ(one("SELECT theType FROM SAccount WHERE AName='京东小金库'"), "电子账户");
}

// The 美团 export: what was paid is "实付金额"; a refund is income that takes
// back from its order; a 月付 repayment moves money between one's own accounts.
TEST_F(Bills, AMeituanBillIsReadByItsOwnHeader) {
    const std::string csv =
        "\xEF\xBB\xBF美团账单明细\n导出时间：2024-04-01\n\n"
        "交易创建时间,交易成功时间,交易类型,订单标题,收/支,支付方式,订单金额,实付金额,交易单号,"
        "商家单号,备注\n"
        "2024-03-05 11:50:00,2024-03-05 11:50:05,外卖,某某快餐-午餐,支出,美团月付,30.00,25.50,"
        "MT001,S001,\n"
        "2024-03-06 18:00:00,2024-03-06 18:00:03,外卖,某某面馆-晚餐,支出,微信支付,20.00,18.00,"
        "MT002,S002,\n"
        "2024-03-06 19:00:00,2024-03-06 19:10:00,退款,某某面馆-晚餐,收入,微信支付,18.00,18.00,"
        "MT003,S002,\n"
        "2024-03-20 09:00:00,2024-03-20 09:00:01,月付还款,美团月付还款,支出,招商银行储蓄卡(5678),"
        "25.50,25.50,MT004,,\n";
    Bill b = read(write("meituan.csv", csv));
    EXPECT_EQ(b.source, "美团");
    ASSERT_EQ(b.rows.size(), 4u);
    EXPECT_EQ(b.rows[0].amount.toPlain(), "25.5");
    EXPECT_EQ(fates(b),
              (std::vector<std::string>{"将导入", "将导入", "退款（冲减支出）", "不计收支"}));
    ASSERT_EQ(bills.book(b), 3u);
    EXPECT_EQ(balance("美团月付"), "-25.5");
    EXPECT_EQ(balance("微信支付"), "0");
    EXPECT_EQ(one("SELECT theType FROM SAccount WHERE AName='美团月付'"), "信用卡");
}

TEST_F(Bills, AWeChatBillWithQuotesYuanSignsAndNeutralRows) {
    const Bill b = read(write(
        "wechat.csv",
        wechatCsv({"2024-03-05 08:15:00,商户消费,某某早餐店,\"早餐\",支出,¥8.50,零钱,支付成功,"
                   "4200002024030500000001\t,10001\t,\"/\"",
                   "2024-03-06 20:00:00,微信红包,某某,\"/\",收入,\"¥1,200.00\",/,已存入零钱,"
                   "10000399012024030600000002\t,\"/\",\"/\"",
                   "2024-03-07 09:00:00,零钱提现,招商银行(1234),\"/\",/,¥100.00,招商银行(1234),"
                   "提现已到账,4200002024030700000003\t,\"/\",\"/\"",
                   "2024-03-08 12:00:00,美团-退款,美团,\"/\",收入,¥5.00,零钱,已退款,"
                   "4200002024030800000004\t,\"/\",\"/\""})));
    EXPECT_EQ(b.source, "微信");
    ASSERT_EQ(b.rows.size(), 4u);
    EXPECT_EQ(b.rows[0].description, "早餐");
    EXPECT_EQ(b.rows[0].account, "微信零钱");
    EXPECT_EQ(b.rows[1].amount.toPlain(), "1200");
    EXPECT_EQ(b.rows[1].account, "微信零钱");  // "已存入零钱": with the 零钱 payments
    // The 美团 payment refunded is in no bill of this book: its refund is not booked.
    EXPECT_EQ(fates(b),
              (std::vector<std::string>{"将导入", "将导入", "不计收支", "退款（原付款未记账）"}));
    EXPECT_EQ(b.rows[0].remark(), "某某早餐店 早餐");
}

TEST_F(Bills, AWeChatWorkbookReadsLikeItsCsv) {
    Sheet s("Sheet1");
    s.setText(0, 0, "微信支付账单明细");
    const char* header[] = {"交易时间", "交易类型", "交易对方", "商品",     "收/支", "金额(元)",
                            "支付方式", "当前状态", "交易单号", "商户单号", "备注"};
    for (int c = 0; c < 11; ++c) {
        s.setText(16, c, header[c]);
    }
    const char* row[] = {"2024-03-05 08:15:00",
                         "商户消费",
                         "某某早餐店",
                         "早餐",
                         "支出",
                         "¥8.50",
                         "零钱",
                         "支付成功",
                         "4200002024030500000001",
                         "10001",
                         "/"};
    for (int c = 0; c < 11; ++c) {
        s.setText(17, c, row[c]);
    }
    const fs::path f = folder.path() / "微信账单.xlsx";
    writeXlsx(f, {s});
    const Bill b = read(f);
    EXPECT_EQ(b.source, "微信");
    ASSERT_EQ(b.rows.size(), 1u);
    EXPECT_EQ(b.rows[0].amount.toPlain(), "8.5");
}

TEST_F(Bills, AnOlderAlipayBillEndsAtItsSummary) {
    const std::string text =
        "支付宝交易记录明细查询\n账号:[2088000000000000]\n"
        "---------------------------------交易记录明细列表------------------------------------\n"
        "交易号                  ,商家订单号               ,交易创建时间              ,付款时间    "
        "   "
        "         ,最近修改时间              ,交易来源地     ,类型              ,交易对方          "
        "  "
        ",商品名称                ,金额（元）   ,收/支     ,交易状态    ,服务费（元）   "
        ",成功退款（元）  "
        ",备注                  ,资金状态     ,\n"
        "2019011522001400000000000001\t,T1\t,2019-01-15 10:00:00 ,2019-01-15 10:00:05 ,"
        "2019-01-15 10:00:05 ,其他 ,即时到账交易 ,某商店 ,日用品 ,12.00 ,支出 ,交易成功 ,0.00 "
        ",0.00 ,"
        " ,已支出 ,\n"
        "2019011622001400000000000002\t,,2019-01-16 10:00:00 ,2019-01-16 10:00:05 ,"
        "2019-01-16 10:00:05 ,其他 ,即时到账交易 ,余额宝 ,转入 ,50.00 , ,交易成功 ,0.00 ,0.00 , "
        ",资金转移 ,\n"
        "------------------------------------------------------------------------------------\n"
        "共2笔记录\n已收入:0笔,0.00元\n待收入:0笔,0.00元\n";
    const Bill b = read(write("old.csv", toGb18030(text)));
    ASSERT_EQ(b.rows.size(), 2u);
    EXPECT_EQ(b.rows[0].date, "2019-01-15");
    EXPECT_EQ(b.rows[0].counterparty, "某商店");
    EXPECT_EQ(fates(b), (std::vector<std::string>{"将导入", "不计收支"}));
}

TEST_F(Bills, ABankStatementIsReadOnceItsColumnsAreNamed) {
    const fs::path f = write("bank.csv",
                             "账号：6222 **** 0000\n"
                             "记账日期,摘要,收入金额,支出金额,余额,对方户名,流水号\n"
                             "2024-03-01,工资,\"8,000.00\",,9000.00,某某公司,B001\n"
                             "2024-03-02,消费,,120.00,8880.00,某某商场,B002\n");
    BillRead r = readBill(f, savedLayouts(db));
    ASSERT_TRUE(r.needsLayout);
    EXPECT_EQ(r.header, (std::vector<std::string>{"记账日期", "摘要", "收入金额", "支出金额",
                                                  "余额", "对方户名", "流水号"}));
    BankLayout l;
    l.name = "工商银行";
    l.date = "记账日期";
    l.income = "收入金额";
    l.expense = "支出金额";
    l.counterparty = "对方户名";
    l.description = "摘要";
    l.id = "流水号";
    saveLayout(db, l);
    const Bill b = read(f);
    EXPECT_EQ(b.source, "银行：工商银行");
    ASSERT_EQ(b.rows.size(), 2u);
    EXPECT_EQ(b.rows[0].direction, BillDirection::Income);
    EXPECT_EQ(b.rows[0].amount.toPlain(), "8000");
    EXPECT_EQ(b.rows[1].direction, BillDirection::Expense);
    EXPECT_EQ(b.rows[1].account, "工商银行");
}

// Statements as banks write them: a period line, dates in several writings,
// "-" for none, currency marks, a footer that ends the rows.
TEST_F(Bills, ABankStatementReadsItsDatesAmountsAndEndsAtItsTotal) {
    BankLayout l;
    l.name = "建设银行";
    l.date = "交易日期";
    l.income = "收入";
    l.expense = "支出";
    l.description = "摘要";
    saveLayout(db, l);
    const fs::path f = write(
        "ccb.csv", toGb18030("建设银行账户明细\n起止日期：2024年12月01日 至 2025年01月31日\n\n"
                             "交易日期,摘要,收入,支出\n"
                             "20241203,工资,\"5,000.00(CN)\",-\n"
                             "2024/12/9,超市,-,  88.80 \n"
                             ",,,\n"
                             "2024年12月20日 10:30:00,转入,RMB 100.00,--\n"
                             "12/29,水费,-,30.00\n"
                             "01/03,电费,-,45.50\n"
                             "人民币合计,,5100.00,164.30\n"
                             "以上数据仅供参考\n"));
    const Bill b = read(f);
    ASSERT_EQ(b.rows.size(), 5u);
    std::vector<std::string> seen;
    for (const auto& r : b.rows) {
        seen.push_back(r.date + (r.direction == BillDirection::Income ? " +" : " -") +
                       r.amount.toPlain());
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"2024-12-03 +5000", "2024-12-09 -88.8", "2024-12-20 +100",
                                        "2024-12-29 -30", "2025-01-03 -45.5"}));
}

// Without a period line, a year is asked once and the statement read again.
TEST_F(Bills, DatesWithoutAYearAskForOneWhenTheStatementNamesNoPeriod) {
    BankLayout l;
    l.name = "信用卡";
    l.date = "交易日";
    l.altDate = "记账日";
    l.amount = "金额";
    l.description = "摘要";
    l.positiveIsOut = true;
    saveLayout(db, l);
    ASSERT_EQ(savedLayouts(db).at(0).altDate, "记账日");
    ASSERT_TRUE(savedLayouts(db).at(0).positiveIsOut);
    const fs::path f = write("card.csv",
                             "交易日,记账日,摘要,金额\n"
                             "03/05,03/06,餐厅,120.00\n"
                             ",03/08,年费返还,-10.00\n");
    BillRead first = readBill(f, savedLayouts(db));
    EXPECT_TRUE(first.needsYear);
    EXPECT_FALSE(first.check.ok);
    BillRead again = readBill(f, savedLayouts(db), 2024);
    ASSERT_TRUE(again.check.ok) << again.check.message;
    ASSERT_EQ(again.bill.rows.size(), 2u);
    EXPECT_EQ(again.bill.rows[0].date, "2024-03-05");
    EXPECT_EQ(again.bill.rows[0].direction, BillDirection::Expense);  // a charge
    EXPECT_EQ(again.bill.rows[1].date, "2024-03-08");                 // its other date
    EXPECT_EQ(again.bill.rows[1].direction, BillDirection::Income);
    EXPECT_EQ(billAccountType(again.bill.source, "", "信用卡"), "信用卡");
}

// A layout saved before its later fields existed reads them as empty.
TEST_F(Bills, AnOlderSavedLayoutStillReads) {
    const BankLayout l = decodeLayout("旧", "日期\t\t收入\t支出\t\t对方\t摘要\t流水号");
    EXPECT_EQ(l.date, "日期");
    EXPECT_EQ(l.id, "流水号");
    EXPECT_EQ(l.altDate, "");
    EXPECT_FALSE(l.positiveIsOut);
}

// A bank's statement saved as an Excel 97 workbook (by LibreOffice, its first
// sheet not "Sheet1") is read by the workbook reader, up to its total.
TEST_F(Bills, AnXlsStatementIsReadThroughTheWorkbookReader) {
    const std::string file = std::string(FENNORY_TEST_DATA) + "/import/statement.xls";
    BillRead r = readBill(file, {});
    ASSERT_TRUE(r.needsLayout);
    EXPECT_EQ(r.header, (std::vector<std::string>{"交易日期", "摘要", "收入金额", "支出金额",
                                                  "余额", "对方户名"}));
    BankLayout l;
    l.name = "工商银行";
    l.date = "交易日期";
    l.income = "收入金额";
    l.expense = "支出金额";
    l.counterparty = "对方户名";
    l.description = "摘要";
    saveLayout(db, l);
    Bill b = read(file);
    ASSERT_EQ(b.rows.size(), 3u);
    EXPECT_EQ(b.rows[0].date, "2024-03-01");
    ASSERT_EQ(bills.book(b), 3u);
    EXPECT_EQ(balance("工商银行"), "7882.71");
    EXPECT_EQ(one("SELECT theType FROM SAccount WHERE AName='工商银行'"), "银行卡");
}

// The user decides each row: left out, put back, or booked where the preview
// took a paid order for closed; a row booked before stays as it is.
TEST_F(Bills, TheUserLeavesRowsOutAndBooksThePreviewsMistakes) {
    Bill b = read(
        write("decide.csv",
              alipayCsv({kAlipayRows[0], kAlipayRows[1],
                         "2024-03-12 10:00:00,日用百货,某某网店,,台灯,支出,80.00,余额,等待确认收货,"
                         "2024031222001400000000000060\t,,,",
                         "2024-03-13 10:00:00,日用百货,某某网店,,书架,支出,120.00,余额,交易关闭,"
                         "2024031322001400000000000061\t,,,"})));
    // Paid and waiting for the goods is spent.
    EXPECT_EQ(fates(b), (std::vector<std::string>{"将导入", "将导入", "将导入", "交易关闭"}));
    EXPECT_EQ(fateChoices(b.rows[3]),
              (std::vector<BillFate>{BillFate::Closed, BillFate::Import, BillFate::LeftOut}));
    EXPECT_TRUE(chooseFate(b.rows[1], BillFate::LeftOut));  // not income after all
    EXPECT_TRUE(chooseFate(b.rows[3], BillFate::Import));   // the shop did deliver
    EXPECT_FALSE(chooseFate(b.rows[0], BillFate::Refund));  // not a refund
    EXPECT_EQ(describeTotals(bills.totals(b)),
              "将导入 3 笔（收入 0.00，支出 235.50）    不导入 1 笔（收入 200.00，支出 0.00）");
    ASSERT_EQ(bills.book(b), 3u);
    EXPECT_EQ(one("SELECT count(*) FROM InTable"), "0");
    EXPECT_EQ(balance("支付宝余额"), "-200");

    Bill again = read(write("decide.csv", alipayCsv({kAlipayRows[0], kAlipayRows[1]})));
    EXPECT_EQ(fates(again), (std::vector<std::string>{"已导入", "将导入"}));
    EXPECT_EQ(fateChoices(again.rows[0]), (std::vector<BillFate>{BillFate::Seen}));
    EXPECT_FALSE(chooseFate(again.rows[0], BillFate::Import));
    EXPECT_EQ(describeTotals(bills.totals(again)),
              "将导入 1 笔（收入 200.00，支出 0.00）    已导入 1 笔（收入 0.00，支出 35.50）");
}

// A fee said only in a note ("服务费¥0.10" of a 微信 withdrawal) is an expense.
TEST_F(Bills, AFeeInANoteIsBookedAsAnExpense) {
    Bill b = read(
        write("fee.csv", wechatCsv({"2024-03-07 09:00:00,零钱提现,招商银行(1234),\"/\",/,¥100.00,"
                                    "招商银行(1234),提现已到账,4200002024030700000003\t,\"/\","
                                    "\"服务费¥0.10\""})));
    ASSERT_EQ(b.rows.size(), 2u);
    EXPECT_EQ(fates(b), (std::vector<std::string>{"不计收支", "将导入"}));
    EXPECT_EQ(b.rows[1].amount.toPlain(), "0.1");
    EXPECT_EQ(b.rows[1].remark(), "招商银行(1234) 服务费");
    ASSERT_EQ(bills.book(b), 1u);
    EXPECT_EQ(balance("微信零钱"), "-0.1");  // taken from the wallet
    EXPECT_EQ(fates(read(write("fee2.csv", wechatCsv({"2024-03-07 09:00:00,零钱提现,招商银行(1234),"
                                                      "\"/\",/,¥100.00,招商银行(1234),提现已到账,"
                                                      "4200002024030700000003\t,\"/\","
                                                      "\"服务费¥0.10\""})))),
              (std::vector<std::string>{"不计收支", "已导入"}));
}

TEST_F(Bills, AMalformedAmountRefusesTheBillNamingItsRow) {
    BillRead r = readBill(write("bad.csv", alipayCsv({kAlipayRows[0],
                                                      "2024-03-06 09:00:00,收入,某某公司,,报销款,"
                                                      "收入,二百,,交易成功,X2\t,,,"})),
                          {});
    EXPECT_FALSE(r.check.ok);
    EXPECT_EQ(r.check.message, "第 14 行 金额“二百”不是数字，账单没有导入。");
    EXPECT_TRUE(r.bill.rows.empty());
    EXPECT_EQ(one("SELECT count(*) FROM OutTable"), "0");
}

TEST_F(Bills, AmountsAndCellsAreReadStrictly) {
    EXPECT_EQ(billAmount("¥28.16")->toPlain(), "28.16");
    EXPECT_EQ(billAmount("￥1,234.50")->toPlain(), "1234.5");
    EXPECT_EQ(billAmount(" 12.00 ")->toPlain(), "12");
    EXPECT_EQ(billAmount("¥3.145")->toPlain(), "3.15");  // stored as shown
    EXPECT_FALSE(billAmount("12元"));
    EXPECT_FALSE(billAmount(""));
    EXPECT_EQ(parseCsv("a, \"b,\"\"c\"\"\" ,d\t\r\n1,2"),
              (std::vector<std::vector<std::string>>{{"a", "b,\"c\"", "d"}, {"1", "2"}}));
    EXPECT_EQ(decodeBillText(toGb18030("交易时间")), "交易时间");
    EXPECT_EQ(decodeBillText("\xEF\xBB\xBF交易"), "交易");
}

TEST_F(Bills, RowsWithoutAnIdThatLookAlikeAreBothBookedOnce) {
    const fs::path f =
        write("bank.csv", "日期,金额,对方\n2024-03-01,-5.00,咖啡店\n2024-03-01,-5.00,咖啡店\n");
    BankLayout l;
    l.name = "卡";
    l.date = "日期";
    l.amount = "金额";
    l.counterparty = "对方";
    saveLayout(db, l);
    Bill b = read(f);
    EXPECT_EQ(fates(b), (std::vector<std::string>{"将导入", "将导入"}));
    EXPECT_EQ(bills.book(b), 2u);
    Bill again = read(f);
    EXPECT_EQ(fates(again), (std::vector<std::string>{"已导入", "已导入"}));
}

// ---- which payment a refund takes back from ----

// The rule as a person would apply it, row by row: the first payment whose ID
// begins the refund's, else the last payment to the same payee on or before
// its day of at least its amount.
std::size_t paymentByHand(const Bill& bill, std::size_t refund) {
    const BillRow& r = bill.rows[refund];
    std::size_t found = PrefixIndex::npos;
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        const BillRow& paid = bill.rows[i];
        if (i == refund || paid.direction != BillDirection::Expense ||
            paid.fate == BillFate::Refund) {
            continue;
        }
        if (!paid.txId.empty() && r.txId.size() > paid.txId.size() &&
            r.txId.starts_with(paid.txId)) {
            return i;
        }
        const bool samePayee = r.counterparty.empty()
                                   ? !r.description.empty() && paid.description == r.description
                                   : paid.counterparty == r.counterparty;
        if (samePayee && paid.date <= r.date && r.amount <= paid.amount) {
            found = i;
        }
    }
    return found;
}

// Bills of few payees, days, amounts and IDs, so that rows tie often.
Bill tangledBill(std::mt19937& random, std::size_t rows) {
    auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::vector<std::string> ids = {"", "A", "AB", "ABC", "ABD", "ABCD", "B", "BA", "ABCDE"};
    const std::vector<std::string> payees = {"", "某某商店", "某某超市"};
    Bill b;
    for (std::size_t i = 0; i < rows; ++i) {
        BillRow r;
        r.line = i + 1;
        r.date = "2024-03-0" + std::to_string(1 + pick(4));
        r.amount = Money::yuan(static_cast<std::int64_t>(1 + pick(5)));
        r.counterparty = payees[pick(payees.size())];
        r.description = payees[pick(payees.size())];
        r.txId = ids[pick(ids.size())];
        switch (pick(4)) {
            case 0:
                r.direction = BillDirection::Income;
                r.fate = BillFate::Refund;
                break;
            case 1:
                r.direction = BillDirection::Income;
                break;
            case 2:
                r.direction = BillDirection::Expense;
                r.fate = BillFate::Closed;
                break;
            default:
                r.direction = BillDirection::Expense;
        }
        b.rows.push_back(r);
    }
    return b;
}

TEST(RefundLinks, EachRefundFindsThePaymentThatThePlainRuleFinds) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 3000; ++round) {
        const Bill b = tangledBill(random, 1 + round % 40);
        const std::vector<std::size_t> found = refundPayments(b);
        ASSERT_EQ(found.size(), b.rows.size());
        for (std::size_t i = 0; i < b.rows.size(); ++i) {
            const std::size_t expected =
                b.rows[i].fate == BillFate::Refund ? paymentByHand(b, i) : PrefixIndex::npos;
            ASSERT_EQ(found[i], expected) << "round " << round << ", row " << i;
        }
    }
}

// IDs that begin one another in long chains, as a crafted bill would have
// them: the longest that begins a text, and the first place among all that do.
TEST(RefundLinks, IdsBeginningOneAnotherAreFoundAlongLongChains) {
    std::vector<std::string> texts;
    for (std::size_t n = 1; n <= 300; ++n) {
        texts.push_back(std::string(n, 'a'));
        if (n % 7 == 0) {
            texts.push_back(std::string(n, 'a') + "b");
        }
    }
    std::mt19937 random(7);
    std::shuffle(texts.begin(), texts.end(), random);
    std::vector<std::pair<std::string_view, std::size_t>> entries;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        entries.emplace_back(texts[i], i);
    }
    const PrefixIndex index(entries);
    std::vector<std::string> asked = {"",
                                      "a",
                                      "b",
                                      "ab",
                                      "aab",
                                      "aaaaaaab",
                                      "aaaaaaabc",
                                      std::string(301, 'a'),
                                      std::string(150, 'a') + "c",
                                      std::string(147, 'a') + "bb"};
    for (const std::string& s : asked) {
        std::size_t longest = PrefixIndex::npos, first = PrefixIndex::npos;
        for (const auto& [text, place] : entries) {
            if (text.size() < s.size() && s.starts_with(text)) {
                longest =
                    longest == PrefixIndex::npos ? text.size() : std::max(longest, text.size());
                first = std::min(first, place);
            }
        }
        EXPECT_EQ(index.longestBeginning(s), longest) << s;
        EXPECT_EQ(index.firstPlaceBeginning(s), first) << s;
    }
}

}  // namespace
}  // namespace fennory
