#include "support/workbook_probe.h"

#include <cmath>
#include <map>

#include "import/xlsx_parts.h"

namespace fennory {
namespace {

std::vector<XlsxCellStyle> cellStyles(const Zip& zip) {
    std::vector<XlsxCellStyle> out;
    if (!zip.has("xl/styles.xml")) {
        return out;
    }
    auto doc = parseXml(zip.read("xl/styles.xml"), "styles.xml");
    auto ss = doc.child("styleSheet");
    std::map<int, std::string> formats = customNumberFormats(ss);
    // The built-in formats the writer may use by id.
    formats.insert({{1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}});
    std::vector<XlsxCellStyle> fonts;
    for (auto f : ss.child("fonts").children("font")) {
        XlsxCellStyle fs;
        fs.font = f.child("name").attribute("val").as_string();
        fs.size = f.child("sz").attribute("val").as_double();
        fs.bold = static_cast<bool>(f.child("b")) &&
                  std::string(f.child("b").attribute("val").as_string("1")) != "0";
        fonts.push_back(fs);
    }
    std::vector<bool> borders;
    for (auto b : ss.child("borders").children("border")) {
        auto side = [&](const char* n) {
            return !std::string(b.child(n).attribute("style").as_string()).empty();
        };
        borders.push_back(side("left") && side("right") && side("top") && side("bottom"));
    }
    for (auto xf : ss.child("cellXfs").children("xf")) {
        XlsxCellStyle st;
        auto fontId = static_cast<std::size_t>(xf.attribute("fontId").as_int());
        if (fontId < fonts.size()) {
            st = fonts[fontId];
        }
        auto borderId = static_cast<std::size_t>(xf.attribute("borderId").as_int());
        st.border = borderId < borders.size() && borders[borderId];
        st.halign = xf.child("alignment").attribute("horizontal").as_string();
        st.valign = xf.child("alignment").attribute("vertical").as_string();
        int fmt = xf.attribute("numFmtId").as_int();
        st.numberFormat = formats.count(fmt) ? formats[fmt] : "";
        out.push_back(st);
    }
    return out;
}

}  // namespace

XlsxCellStyle XlsxSheetLayout::style(const std::string& ref) const {
    for (const auto& [r, s] : styles) {
        if (r == ref) {
            return s;
        }
    }
    return {};
}

bool XlsxSheetLayout::isNumber(const std::string& ref) const {
    for (const auto& [r, t] : types) {
        if (r == ref) {
            return t.empty() || t == "n";
        }
    }
    return false;
}

std::vector<XlsxSheetLayout> inspectXlsx(const std::filesystem::path& file) {
    Zip zip(file);
    bool date1904 = false;
    auto refs = sheetRefs(zip, date1904);
    auto shared = sharedStrings(zip);
    auto dates = readDateStyles(zip);
    auto styles = cellStyles(zip);
    std::vector<XlsxSheetLayout> out;
    for (const auto& ref : refs) {
        XlsxSheetLayout l;
        l.name = ref.name;
        l.cells = readSheetCells(zip, ref.part, shared, dates, date1904);
        std::size_t width = 0;
        for (const auto& r : l.cells) {
            width = std::max(width, r.size());
        }
        for (auto& r : l.cells) {
            r.resize(width);
        }
        auto doc = parseXml(zip.read(ref.part), ref.part);
        auto ws = doc.child("worksheet");
        for (auto row : ws.child("sheetData").children("row")) {
            for (auto c : row.children("c")) {
                std::string r = c.attribute("r").as_string();
                l.types.emplace_back(r, c.attribute("t").as_string());
                auto s = static_cast<std::size_t>(c.attribute("s").as_int());
                if (c.attribute("s") && s < styles.size()) {
                    l.styles.emplace_back(r, styles[s]);
                }
            }
        }
        for (auto m : ws.child("mergeCells").children("mergeCell")) {
            l.merges.push_back(m.attribute("ref").as_string());
        }
        for (auto col : ws.child("cols").children("col")) {
            for (int i = col.attribute("min").as_int(); i <= col.attribute("max").as_int(); ++i) {
                // Stored widths carry the cell padding; give back character units.
                double stored = col.attribute("width").as_double();
                double chars = stored >= 1 ? (stored * 7 - 5) / 7 : stored;
                l.columnWidths.emplace_back(i - 1, std::round(chars * 100) / 100);
            }
        }
        l.landscape =
            std::string(ws.child("pageSetup").attribute("orientation").as_string()) == "landscape";
        auto pm = ws.child("pageMargins");
        l.marginLeft = pm.attribute("left").as_double();
        l.marginRight = pm.attribute("right").as_double();
        l.marginTop = pm.attribute("top").as_double();
        l.marginBottom = pm.attribute("bottom").as_double();
        l.footer = ws.child("headerFooter").child("oddFooter").text().get();
        out.push_back(std::move(l));
    }
    return out;
}

}  // namespace fennory
