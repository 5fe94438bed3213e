#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <limits>

#include "import/cell_text.h"
#include "import/spreadsheet_reader.h"
#include "import/xls_reader.h"
#include "import/xlsx_parts.h"
#include "reporting/sheet.h"
#include "support/memory_ceiling.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"
#include "support/xlsx_builder.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing::TempFolder;

class Reader : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string& name) { return folder.path() / name; }
    std::string errorOf(const std::filesystem::path& f) {
        try {
            readSheet1(f);
        } catch (const SpreadsheetReadError& e) {
            return e.what();
        }
        return "<no error>";
    }
    TempFolder folder;
};

TEST_F(Reader, WrittenWorkbookReadsBackWithItsCellsMergesAndName) {
    Sheet s("Sheet1");
    s.setText(0, 0, "家-资金流动日志");
    s.merge({0, 0, 0, 2});
    s.setText(1, 0, "日期");
    s.setText(1, 1, "金额");
    s.setText(1, 2, "备注");
    s.setText(2, 0, "2024-03-05");
    s.setText(2, 1, "1234.5");
    s.setText(2, 2, "O'Brien \"100%\" <b>&amp;</b>");
    s.setText(4, 2, "稀疏");
    writeXlsx(file("out.xlsx"), {s});

    auto layout = inspectXlsx(file("out.xlsx"));
    ASSERT_EQ(layout.size(), 1u);
    EXPECT_EQ(layout[0].name, "Sheet1");
    EXPECT_EQ(layout[0].merges, std::vector<std::string>{"A1:C1"});
    EXPECT_EQ(layout[0].cells, (Rows{{"家-资金流动日志", "", ""},
                                     {"日期", "金额", "备注"},
                                     {"2024-03-05", "1234.5", "O'Brien \"100%\" <b>&amp;</b>"},
                                     {"", "", ""},
                                     {"", "", "稀疏"}}));

    SheetData d = readSheet1(file("out.xlsx"));
    EXPECT_EQ(d.header, (std::vector<std::string>{"家-资金流动日志", "", ""}));
    EXPECT_EQ(d.rowCount(), 4u);
}

TEST_F(Reader, StylesWidthsAndPageSetupAreInTheFile) {
    Sheet s = schemeSheet("标题", 3, true);
    s.setText(1, 0, "a");
    s.setColumnWidth(0, 4);
    s.setColumnWidth(2, 40);
    s.borderRange({1, 0, 2, 2});
    s.page().landscape = true;
    s.page().marginLeft = s.page().marginRight = s.page().marginTop = s.page().marginBottom =
        300.0 / 7.0;
    writeXlsx(file("styled.xlsx"), {s});
    XlsxSheetLayout l = inspectXlsx(file("styled.xlsx")).at(0);
    XlsxCellStyle title = l.style("A1");
    EXPECT_EQ(title.font, "宋体");
    EXPECT_EQ(title.size, 16);
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.halign, "center");
    EXPECT_EQ(title.valign, "center");
    EXPECT_EQ(l.style("A2").size, 12);
    EXPECT_TRUE(l.style("A2").border);
    EXPECT_TRUE(l.style("C3").border);
    EXPECT_EQ(l.columnWidths, (std::vector<std::pair<int, double>>{{0, 4}, {2, 40}}));
    EXPECT_TRUE(l.landscape);
    EXPECT_NEAR(l.marginLeft * 72, 42.857, 0.01);
    EXPECT_NEAR(l.marginBottom * 72, 42.857, 0.01);
    EXPECT_EQ(l.footer, "&CFennory https://www.fennory.example/ 共&N页，第&P页");
}

TEST_F(Reader, SharedAndInlineStringsNumbersBooleansDatesAndGaps) {
    const std::string styles =
        "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd hh:mm\"/>"
        "<numFmt numFmtId=\"165\" formatCode=\"&quot;day&quot; 0.00\"/></numFmts>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
        "<xf numFmtId=\"165\"/></cellXfs>";
    const std::string shared = "<si><t>日期</t></si><si><r><t>金</t></r><r><t>额</t></r></si>";
    const std::string data =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>备注</t></is></c><c r=\"D1\" "
        "t=\"str\"><v>F</v></c></row>"
        "<row r=\"2\"><c r=\"A2\" s=\"1\"><v>45356</v></c><c r=\"B2\"><v>12.5</v></c>"
        "<c r=\"C2\" t=\"b\"><v>1</v></c><c r=\"D2\" s=\"3\"><v>0.1</v></c></row>"
        "<row r=\"4\"><c r=\"A4\" s=\"2\"><v>45356.5</v></c><c r=\"C4\"><v>-3</v></c></row>";
    testing::writeXlsx(file("mixed.xlsx"), "Sheet1", data, shared, styles);
    SheetData d = readSheet1(file("mixed.xlsx"));
    EXPECT_EQ(d.header, (std::vector<std::string>{"日期", "金额", "备注", "F"}));
    EXPECT_EQ(d.rows, (Rows{{"2024-03-05", "12.5", "TRUE", "0.1"},
                            {"", "", "", ""},
                            {"2024-03-05 12:00:00", "", "-3", ""}}));
    EXPECT_EQ(d.column("备注").value(), 2u);
    EXPECT_FALSE(d.column("无").has_value());
}

TEST_F(Reader, EarlyDatesAndThe1904System) {
    const std::string styles = "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs>";
    testing::writeXlsx(file("early.xlsx"), "Sheet1",
                       "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>d</t></is></c></row>"
                       "<row r=\"2\"><c r=\"A2\" s=\"1\"><v>1</v></c></row>"
                       "<row r=\"3\"><c r=\"A3\" s=\"1\"><v>61</v></c></row>",
                       "", styles);
    EXPECT_EQ(readSheet1(file("early.xlsx")).rows, (Rows{{"1900-01-01"}, {"1900-03-01"}}));
}

// Files made to exhaust the reader: each is refused with a message, in
// bounded memory, before the work it would cost.
TEST_F(Reader, ASheetThatWouldSquareIntoBillionsOfCellsIsRefused) {
    testing::writeXlsx(file("far.xlsx"), "Sheet1",
                       "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>日期</t></is></c>"
                       "<c r=\"XFD1\"><v>1</v></c></row>"
                       "<row r=\"1048576\"><c r=\"A1048576\"><v>2</v></c></row>");
    EXPECT_NE(errorOf(file("far.xlsx")).find("工作表太大"), std::string::npos)
        << errorOf(file("far.xlsx"));
}

// Thousands of rows, each with one cell in the last column: a few kilobytes
// that would square into tens of millions of cells. Refused as soon as the
// rows read pass the limit, not after taking a gigabyte to find that out.
TEST_F(Reader, ManyRowsReachingTheLastColumnAreRefusedWithinBoundedMemory) {
    std::string rows = "<row><c r=\"A1\" t=\"inlineStr\"><is><t>日期</t></is></c></row>";
    for (int i = 0; i < 2000; ++i) {
        rows += "<row><c r=\"XFD1\"><v>1</v></c></row>";
    }
    testing::writeXlsx(file("wide.xlsx"), "Sheet1", rows);
    std::string error;
    {
        const testing::MemoryCeiling ceiling(512u << 20);
        error = errorOf(file("wide.xlsx"));
    }
    EXPECT_NE(error.find("工作表太大"), std::string::npos) << error;
}

// One long shared string named by thousands of cells: a small file whose
// cells, each a copy, would hold gigabytes of text. Refused within bounded
// memory; a sheet naming it a few times reads.
TEST_F(Reader, ALongSharedStringNamedByThousandsOfCellsIsRefusedWithinBoundedMemory) {
    const std::string shared =
        "<si><t>日期</t></si><si><t>" + std::string(1u << 20, 'x') + "</t></si>";
    auto naming = [](int cells) {
        std::string rows = "<row><c t=\"s\"><v>0</v></c></row>";
        for (int i = 0; i < cells; ++i) {
            rows += "<row><c t=\"s\"><v>1</v></c></row>";
        }
        return rows;
    };
    testing::writeXlsx(file("names.xlsx"), "Sheet1", naming(2000), shared);
    testing::writeXlsx(file("few.xlsx"), "Sheet1", naming(3), shared);
    std::string error;
    {
        const testing::MemoryCeiling ceiling(768u << 20);
        error = errorOf(file("names.xlsx"));
    }
    EXPECT_NE(error.find("工作表太大"), std::string::npos) << error;
    const SheetData few = readSheet1(file("few.xlsx"));
    EXPECT_EQ(few.header, std::vector<std::string>{"日期"});
    ASSERT_EQ(few.rows.size(), 3u);
    EXPECT_EQ(few.rows[2][0].size(), 1u << 20);
}

// References past every number a sheet can hold: refused, never wrapped round
// onto a real cell. "MWLQKWX" counts to 2^32 + 2, column B once wrapped.
TEST_F(Reader, ReferencesBeyondAnySheetAreRefusedNotWrappedOntoACell) {
    const std::string header = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>日期</t></is></c>";
    testing::writeXlsx(file("wrap.xlsx"), "Sheet1",
                       header + "<c r=\"MWLQKWX1\" t=\"inlineStr\"><is><t>金额</t></is></c></row>");
    EXPECT_NE(errorOf(file("wrap.xlsx")).find("列号超出范围"), std::string::npos)
        << errorOf(file("wrap.xlsx"));
    for (const char* row : {"-2147483648", "4294967297", "99999999999999999999"}) {
        testing::writeXlsx(file("row.xlsx"), "Sheet1",
                           header + "</row><row r=\"" + row + "\"><c><v>1</v></c></row>");
        EXPECT_NE(errorOf(file("row.xlsx")).find("行号超出范围"), std::string::npos) << row;
    }
}

// A formatted blank or an empty text far out holds nothing: the sheet is read
// as far as its content goes instead of being refused as too big.
TEST_F(Reader, EmptyCellsFarOutDoNotMakeTheSheetTooBig) {
    const std::string styles = "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"4\"/></cellXfs>";
    testing::writeXlsx(
        file("blanks.xlsx"), "Sheet1",
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>日期</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><t>金额</t></is></c><c r=\"XFD1\" s=\"1\"/></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"str\"><v>2024-03-05</v></c><c r=\"B2\"><v>12.5</v></c></row>"
        "<row r=\"900000\"><c r=\"C900000\" t=\"inlineStr\"><is><t></t></is></c></row>"
        "<row r=\"1048576\"><c r=\"XFD1048576\" s=\"1\"/></row>",
        "", styles);
    const SheetData d = readSheet1(file("blanks.xlsx"));
    EXPECT_EQ(d.header, (std::vector<std::string>{"日期", "金额"}));
    EXPECT_EQ(d.rows, (Rows{{"2024-03-05", "12.5"}}));
}

TEST_F(Reader, APartThatUnpacksFarBeyondItsSizeIsRefusedUnread) {
    // Megabytes of blank space inside the sheet: legal XML, packed a thousandfold.
    testing::writeXlsx(file("bomb.xlsx"), "Sheet1", std::string(40u << 20, ' '));
    EXPECT_LT(std::filesystem::file_size(file("bomb.xlsx")), 200u << 10);
    EXPECT_NE(errorOf(file("bomb.xlsx")).find("解压后异常地大"), std::string::npos)
        << errorOf(file("bomb.xlsx"));
}

// A part of tiny elements, small or packed well enough to pass the checks of
// its size, has a tree of many times its bytes: a 17 MB workbook took 4 GB.
// Refused once the trees held would pass their limit (lowered here to keep
// the test small); a sheet within the limit reads.
TEST_F(Reader, APartWhoseTreeWouldPassTheLimitIsRefused) {
    const std::string header =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>日期</t></is></c></row>";
    std::string tiny;
    while (tiny.size() < (2u << 20)) {
        tiny += "<x/>";
    }
    testing::writeXlsx(file("tiny.xlsx"), "Sheet1", header + tiny);
    testing::writeXlsx(file("plain.xlsx"), "Sheet1", header);
    const XmlTreeLimit limit(16u << 20);
    EXPECT_NE(errorOf(file("tiny.xlsx")).find("工作簿太大"), std::string::npos)
        << errorOf(file("tiny.xlsx"));
    EXPECT_EQ(readSheet1(file("plain.xlsx")).header, std::vector<std::string>{"日期"});
}

TEST_F(Reader, DeeplyNestedMarkupIsReadWithoutRecursion) {
    std::string deep;
    for (int i = 0; i < 200000; ++i) {
        deep += "<x>";
    }
    for (int i = 0; i < 200000; ++i) {
        deep += "</x>";
    }
    testing::writeXlsx(
        file("deep.xlsx"), "Sheet1",
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>日期</t></is></c></row>" + deep);
    EXPECT_EQ(readSheet1(file("deep.xlsx")).header, std::vector<std::string>{"日期"});
}

// A date-formatted cell holding a number no calendar reaches (a hostile or
// broken file) reads as that number, which the date check then refuses.
TEST(CellDates, ANumberBeyondAnyDateReadsAsTheNumber) {
    EXPECT_EQ(excelDate(45000, false), "2023-03-15");
    EXPECT_EQ(excelDate(2958465, false), "9999-12-31");
    EXPECT_EQ(excelDate(-2.23288e+110, false), "-2.23288e+110");
    EXPECT_EQ(excelDate(1e300, true), "1e+300");
    EXPECT_EQ(excelDate(std::numeric_limits<double>::infinity(), false), "inf");
}

TEST_F(Reader, XlsFixtureReadsAsText) {
    SheetData d = readSheet1(std::string(FENNORY_TEST_DATA) + "/income_sheet1.xls");
    EXPECT_EQ(d.header, (std::vector<std::string>{"日期", "收入类别", "金额", "账户名称",
                                                  "家庭成员", "备注"}));
    EXPECT_EQ(d.rows, (Rows{{"2024-03-05", "工资", "12.5", "银行卡", "爸爸", "三月"},
                            {"2024-03-06", "奖金", "100", "现金", "妈妈", ""},
                            {"", "", "", "", "", ""},
                            {"2024-03-07", "利息收入", "0.01", "银行卡", "爸爸", "含,逗号"}}));
}

TEST_F(Reader, FilesThatCannotBeReadGiveAClearError) {
    std::ofstream(file("notes.xlsx")) << "just some text, not a workbook";
    EXPECT_NE(errorOf(file("notes.xlsx")).find("不是 Excel 工作簿"), std::string::npos);

    EXPECT_NE(errorOf(file("missing.xlsx")).find("文件不存在"), std::string::npos);

    testing::writeZip(file("nozip.xlsx"), {{"hello.txt", "hi"}});
    EXPECT_NE(errorOf(file("nozip.xlsx")).find("workbook.xml"), std::string::npos);

    testing::writeXlsx(file("other.xlsx"), "收入", "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    EXPECT_NE(errorOf(file("other.xlsx")).find("Sheet1"), std::string::npos);

    testing::writeXlsx(file("broken.xlsx"), "Sheet1", "<row r=\"1\"><c r=\"A1\"><v>1</v></row>");
    EXPECT_NE(errorOf(file("broken.xlsx")).find("无法解析"), std::string::npos);

    testing::writeXlsx(file("huge.xlsx"), "Sheet1", "<row r=\"99999999\"><c><v>1</v></c></row>");
    EXPECT_NE(errorOf(file("huge.xlsx")).find("超出范围"), std::string::npos);

    EXPECT_NE(errorOf(std::string(FENNORY_TEST_DATA) + "/no_sheet1.xls").find("Sheet1"),
              std::string::npos);

    // A truncated workbook.
    Sheet s;
    s.setText(0, 0, "x");
    writeXlsx(file("whole.xlsx"), {s});
    std::ifstream in(file("whole.xlsx"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(file("cut.xlsx"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_NE(errorOf(file("cut.xlsx")), "<no error>");
}

TEST(SheetWriter, AFileThatCannotBeWrittenIsReported) {
    Sheet s;
    s.setText(0, 0, "x");
    try {
        writeXlsx("/proc/no/such/place/out.xlsx", {s});
        FAIL() << "written";
    } catch (const SpreadsheetError& e) {
        EXPECT_STREQ(e.what(), "无法创建Xls文件，请确认是否安装EXCEL");
    }
}

TEST(SheetWriter, ExportFilesAreNamedByBookSheetAndTime) {
    EXPECT_EQ(exportPath("/x/Data/db.eac", "家", "资金流动日志", "20261209-101500"),
              std::filesystem::path("/x/Data/Export/家-资金流动日志-20261209-101500.xlsx"));
    EXPECT_EQ(exportStamp().size(), 15u);
    EXPECT_EQ(columnName(0), "A");
    EXPECT_EQ(columnName(8), "I");
    EXPECT_EQ(columnName(26), "AA");
}

}  // namespace
}  // namespace fennory

namespace fennory {
namespace {

// A little-endian 16-bit word of a workbook stream: record types and lengths.
std::size_t u16(const std::string& s, std::size_t i) {
    return static_cast<std::size_t>(static_cast<unsigned char>(s[i]) |
                                    static_cast<unsigned char>(s[i + 1]) << 8);
}

// Where the first sheet's EOF record stands, 0 when it has none: the globals
// end at the first EOF record, the first sheet at the second.
std::size_t firstSheetEnd(const std::string& s) {
    int eofs = 0;
    for (std::size_t at = 0; at + 4 <= s.size(); at += 4 + u16(s, at + 2)) {
        if (u16(s, at) == 0x000A && ++eofs == 2) {
            return at;
        }
    }
    return 0;
}

// A damaged workbook stream, cut short or with bytes changed, is read or
// refused with a message; it never brings the program down.
TEST(XlsReader, ADamagedWorkbookStreamIsRefusedOrRead) {
    const std::string whole =
        xlsWorkbookStream(std::string(FENNORY_TEST_DATA) + "/import/income500.xls");
    ASSERT_GT(whole.size(), 20000u);
    EXPECT_EQ(readXlsStream(whole, "Sheet1").size(), 501u);
    std::size_t refused = 0, read = 0;
    auto attempt = [&](const std::string& bytes) {
        try {
            readXlsStream(bytes, "Sheet1");
            ++read;
        } catch (const SpreadsheetReadError&) {
            ++refused;
        }
    };
    for (std::size_t cut = 0; cut < whole.size(); cut += 97) {
        attempt(whole.substr(0, cut));
    }
    std::uint32_t seed = 12345;
    for (int i = 0; i < 400; ++i) {
        std::string bytes = whole;
        for (int k = 0; k < 8; ++k) {
            seed = seed * 1664525u + 1013904223u;
            bytes[seed % bytes.size()] = static_cast<char>(seed >> 24);
        }
        attempt(bytes);
    }
    EXPECT_GT(refused, 0u);
    EXPECT_GT(read, 0u);
}

// A formula whose text result should follow it, then a record claiming more
// bytes than the stream has left: the sheet ends there, read, instead of the
// reader waiting on that record for ever.
TEST(XlsReader, ARecordRunningPastTheStreamAfterATextFormulaEndsTheSheet) {
    std::string s = xlsWorkbookStream(std::string(FENNORY_TEST_DATA) + "/import/formulas.xls");
    std::size_t at = 0;
    while (u16(s, at) != 0x0006) {  // the first FORMULA record
        at += 4 + u16(s, at + 2);
        ASSERT_LT(at + 4, s.size());
    }
    const std::size_t body = at + 4;
    s[body + 6] = 0;  // "the result is text, in the next record"
    s[body + 12] = s[body + 13] = '\xFF';
    s.resize(body + u16(s, at + 2));
    s += std::string("\xFD\x00\x00\x01", 4) + std::string(10, '\0');

    const auto rows = readXlsStream(s, "Sheet1");
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], readXlsStream(xlsWorkbookStream(std::string(FENNORY_TEST_DATA) +
                                                          "/import/formulas.xls"),
                                        "Sheet1")[0][0]);
}

// An empty text at the last cell a sheet can have: the sheet keeps its own
// length, not 65,536 rows of 256 columns that the import would refuse.
TEST(XlsReader, AnEmptyTextAtTheFarCornerDoesNotGrowTheSheet) {
    std::string s = xlsWorkbookStream(std::string(FENNORY_TEST_DATA) + "/import/income500.xls");
    const std::size_t sheetEof = firstSheetEnd(s);
    ASSERT_GT(sheetEof, 0u);
    // LABEL at row 65,536, column 256: no characters.
    s.insert(sheetEof, std::string("\x04\x02\x09\x00\xFF\xFF\xFF\x00\x0F\x00\x00\x00\x00", 13));
    EXPECT_EQ(readXlsStream(s, "Sheet1").size(), 501u);
}

// The same in a workbook stream: a NUMBER record in the last of its 256
// columns on each of 65,000 rows is refused within bounded memory.
TEST(XlsReader, ManyRowsReachingTheLastColumnAreRefusedWithinBoundedMemory) {
    std::string s = xlsWorkbookStream(std::string(FENNORY_TEST_DATA) + "/import/income500.xls");
    const std::size_t sheetEof = firstSheetEnd(s);
    ASSERT_GT(sheetEof, 0u);
    std::string numbers;
    for (std::uint32_t row = 600; row < 65536; ++row) {
        // NUMBER: row, column 256, format 0, the value 1.0.
        numbers += std::string("\x03\x02\x0E\x00", 4);
        numbers += static_cast<char>(row & 0xFF);
        numbers += static_cast<char>(row >> 8);
        numbers += std::string("\xFF\x00\x00\x00\x00\x00\x00\x00\x00\x00\xF0\x3F", 12);
    }
    s.insert(sheetEof, numbers);
    std::string error = "<no error>";
    {
        const testing::MemoryCeiling ceiling(256u << 20);
        try {
            readXlsStream(s, "Sheet1");
        } catch (const SpreadsheetReadError& e) {
            error = e.what();
        }
    }
    EXPECT_NE(error.find("工作表太大"), std::string::npos) << error;
}

// A shared string table of millions of empty strings, three bytes each, would
// take ten times its bytes in memory: refused past the count a sheet can hold.
TEST(XlsReader, SharedStringsBeyondAnySheetAreRefused) {
    const std::string whole =
        xlsWorkbookStream(std::string(FENNORY_TEST_DATA) + "/import/income500.xls");
    auto record = [](std::uint16_t type, const std::string& body) {
        const char head[4] = {static_cast<char>(type & 0xFF), static_cast<char>(type >> 8),
                              static_cast<char>(body.size() & 0xFF),
                              static_cast<char>(body.size() >> 8)};
        return std::string(head, 4) + body;
    };
    const std::size_t strings = kMaxCells + 1;
    std::string table = std::string(4, '\0');
    for (int k = 0; k < 4; ++k) {
        table += static_cast<char>((strings >> (8 * k)) & 0xFF);
    }
    std::string sst;
    const std::size_t perRecord = 8220 / 3;
    for (std::size_t done = 0; done < strings; done += perRecord) {
        const std::string empties(3 * std::min(perRecord, strings - done), '\0');
        sst += done == 0 ? record(0x00FC, table + empties) : record(0x003C, empties);
    }
    // The globals with their own table replaced, the sheets moved by as much.
    std::string s;
    std::size_t at = 0;
    for (; at + 4 <= whole.size() && u16(whole, at) != 0x000A; at += 4 + u16(whole, at + 2)) {
        const std::size_t type = u16(whole, at);
        if (type != 0x00FC && type != 0x003C) {
            s += whole.substr(at, 4 + u16(whole, at + 2));
        }
        if (type == 0x00FC) {
            s += sst;
        }
    }
    ASSERT_NE(s.find(sst), std::string::npos);
    const std::size_t shift = s.size() - at;
    s += whole.substr(at);
    for (std::size_t r = 0; r + 4 <= shift + at; r += 4 + u16(s, r + 2)) {
        if (u16(s, r) == 0x0085) {
            std::uint32_t offset = 0;
            std::memcpy(&offset, s.data() + r + 4, 4);
            offset += static_cast<std::uint32_t>(shift);
            std::memcpy(s.data() + r + 4, &offset, 4);
        }
    }
    try {
        readXlsStream(s, "Sheet1");
        ADD_FAILURE() << "read";
    } catch (const SpreadsheetReadError& e) {
        EXPECT_NE(std::string(e.what()).find("共享字符串"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace fennory
