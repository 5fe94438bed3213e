#include "import/xlsx_parts.h"

#include <fmt/format.h>
#include <zip.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <map>
#include <memory>

#include "import/spreadsheet_reader.h"

namespace fennory {

namespace {

// The trees of XML parts take many times the bytes of their markup: a part of
// tiny elements, packed well enough to pass the size checks, grew to gigabytes.
// Every tree pugixml holds is counted, and a parse that would pass the limit
// fails as out of memory instead.
std::atomic<std::size_t> xmlTreeBytes{0};
std::atomic<std::size_t> xmlTreeLimit{kMaxXmlTreeBytes};

struct alignas(std::max_align_t) TreeBlock {
    std::size_t size;
};

void* allocateTree(std::size_t size) {
    const std::size_t limit = xmlTreeLimit.load();
    if (size > limit) {
        return nullptr;
    }
    if (xmlTreeBytes.fetch_add(size) > limit - size) {
        xmlTreeBytes.fetch_sub(size);
        return nullptr;
    }
    auto* block = static_cast<TreeBlock*>(std::malloc(sizeof(TreeBlock) + size));
    if (!block) {
        xmlTreeBytes.fetch_sub(size);
        return nullptr;
    }
    block->size = size;
    return block + 1;
}

void freeTree(void* p) {
    if (p) {
        TreeBlock* block = static_cast<TreeBlock*>(p) - 1;
        xmlTreeBytes.fetch_sub(block->size);
        std::free(block);
    }
}

// Before main: every tree is allocated, and so freed, by the functions above.
[[maybe_unused]] const bool treeAllocatorSet = [] {
    pugi::set_memory_management_functions(allocateTree, freeTree);
    return true;
}();

}  // namespace

XmlTreeLimit::XmlTreeLimit(std::size_t bytes) : previous_(xmlTreeLimit.exchange(bytes)) {}

XmlTreeLimit::~XmlTreeLimit() {
    xmlTreeLimit = previous_;
}

Zip::Zip(const std::filesystem::path& file) {
    int err = 0;
    zip_ = zip_open(file.string().c_str(), ZIP_RDONLY, &err);
    if (!zip_) {
        throw SpreadsheetReadError(fmt::format("{} 不是有效的 Excel 工作簿（无法作为 xlsx 打开）",
                                               file.filename().string()));
    }
}

Zip::~Zip() {
    zip_discard(zip_);
}

bool Zip::has(const std::string& name) const {
    return zip_name_locate(zip_, name.c_str(), 0) >= 0;
}

std::string Zip::read(const std::string& name) const {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(zip_, name.c_str(), 0, &st) != 0) {
        throw SpreadsheetReadError("工作簿缺少部件 " + name);
    }
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxSheetXmlBytes) {
        throw SpreadsheetReadError("工作簿太大，无法读取（" + name + "）");
    }
    // Refused before it is unpacked: a few kilobytes that claim gigabytes.
    if ((st.valid & ZIP_STAT_COMP_SIZE) && st.size > (4u << 20) &&
        st.size / std::max<zip_uint64_t>(st.comp_size, 1) > kMaxPackRatio) {
        throw SpreadsheetReadError("工作簿的部件 " + name +
                                   " 解压后异常地大，不像是表格程序保存的文件，不予读取。");
    }
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> f(zip_fopen(zip_, name.c_str(), 0),
                                                         &zip_fclose);
    if (!f) {
        throw SpreadsheetReadError("工作簿已损坏，无法读取 " + name);
    }
    std::string data(static_cast<std::size_t>(st.size), '\0');
    zip_int64_t got = zip_fread(f.get(), data.data(), st.size);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) {
        throw SpreadsheetReadError("工作簿已损坏，无法读取 " + name);
    }
    return data;
}

pugi::xml_document parseXml(const std::string& text, const std::string& part) {
    pugi::xml_document doc;
    pugi::xml_parse_result r = doc.load_buffer(text.data(), text.size());
    if (r.status == pugi::status_out_of_memory) {
        throw SpreadsheetReadError(fmt::format("工作簿太大，无法读取（{} 的内容展开后超过 {} MB）",
                                               part, xmlTreeLimit.load() >> 20));
    }
    if (!r) {
        throw SpreadsheetReadError(
            fmt::format("工作簿已损坏：{} 无法解析（{}）", part, r.description()));
    }
    return doc;
}

namespace {

// The part a relationship id points to, relative to xl/.
std::map<std::string, std::string> workbookRels(const Zip& zip) {
    std::map<std::string, std::string> rels;
    if (!zip.has("xl/_rels/workbook.xml.rels")) {
        return rels;
    }
    auto doc = parseXml(zip.read("xl/_rels/workbook.xml.rels"), "workbook.xml.rels");
    for (auto r : doc.child("Relationships").children("Relationship")) {
        std::string target = r.attribute("Target").as_string();
        if (!target.empty() && target[0] == '/') {
            target = target.substr(1);
        } else {
            target = "xl/" + target;
        }
        rels[r.attribute("Id").as_string()] = target;
    }
    return rels;
}

}  // namespace

std::vector<SheetRef> sheetRefs(const Zip& zip, bool& date1904) {
    if (!zip.has("xl/workbook.xml")) {
        throw SpreadsheetReadError("不是有效的 Excel 工作簿（缺少 xl/workbook.xml）");
    }
    auto doc = parseXml(zip.read("xl/workbook.xml"), "workbook.xml");
    auto wb = doc.child("workbook");
    date1904 = wb.child("workbookPr").attribute("date1904").as_bool();
    auto rels = workbookRels(zip);
    std::vector<SheetRef> out;
    int n = 0;
    for (auto s : wb.child("sheets").children("sheet")) {
        ++n;
        std::string rid = s.attribute("r:id").as_string();
        std::string part =
            rels.count(rid) ? rels[rid] : fmt::format("xl/worksheets/sheet{}.xml", n);
        out.push_back({s.attribute("name").as_string(), part});
    }
    return out;
}

std::vector<std::string> sharedStrings(const Zip& zip) {
    std::vector<std::string> out;
    if (!zip.has("xl/sharedStrings.xml")) {
        return out;
    }
    auto doc = parseXml(zip.read("xl/sharedStrings.xml"), "sharedStrings.xml");
    for (auto si : doc.child("sst").children("si")) {
        std::string text;
        if (auto t = si.child("t")) {
            text = t.text().get();
        }
        for (auto r : si.children("r")) {
            text += r.child("t").text().get();
        }
        out.push_back(std::move(text));
    }
    return out;
}

}  // namespace fennory
