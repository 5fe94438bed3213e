// A bill or bank statement of any bytes: decoded, split, laid out and read.
#include "fuzz_files.h"
#include "fuzz_refusal.h"
#include "import/bills.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::refusedOrRead([&] { decodeBillText(bytes); });
    // A saved layout, so that statements of a bank are read too.
    static const std::vector<BankLayout> layouts = {
        {"银行", "交易日期", "", "收入金额", "支出金额", "", "对方户名", "摘要", "", "记账日期",
         false},
        {"卡", "日期", "金额", "", "", "", "", "说明", "", "", true}};
    const auto file = fuzz::inputFile(".csv", data, size);
    fuzz::refusedOrRead([&] { readBill(file, layouts, 2024); });
    fuzz::refusedOrRead([&] { readBill(file, layouts, 0); });
    return 0;
}
