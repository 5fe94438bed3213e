#pragma once
// The parts of an .xlsx workbook (a zip of XML parts) as the reader takes them
// apart: the zip, its XML, the sheets and their cells as text.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

struct zip;

namespace fennory {

class Zip {
public:
    // Throws SpreadsheetReadError when the file is no zip.
    explicit Zip(const std::filesystem::path& file);
    ~Zip();
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool has(const std::string& name) const;
    // The part's bytes; a part beyond kMaxSheetXmlBytes is refused.
    std::string read(const std::string& name) const;

private:
    ::zip* zip_ = nullptr;
};

// Refuses a part whose tree would take the parsed trees beyond kMaxXmlTreeBytes.
pugi::xml_document parseXml(const std::string& text, const std::string& part);

// Sets another limit on the trees held at once while it lives (for tests).
class XmlTreeLimit {
public:
    explicit XmlTreeLimit(std::size_t bytes);
    ~XmlTreeLimit();
    XmlTreeLimit(const XmlTreeLimit&) = delete;
    XmlTreeLimit& operator=(const XmlTreeLimit&) = delete;

private:
    std::size_t previous_;
};

struct SheetRef {
    std::string name;
    std::string part;
};
// The workbook's sheets in their order; date1904 tells the workbook's date system.
std::vector<SheetRef> sheetRefs(const Zip& zip, bool& date1904);
std::vector<std::string> sharedStrings(const Zip& zip);
// The number formats a workbook defines itself, by id (styles.xml's numFmts).
std::map<int, std::string> customNumberFormats(const pugi::xml_node& styleSheet);
// Per cell format (the s attribute of a cell): whether it shows a date.
std::vector<bool> readDateStyles(const Zip& zip);

// "B12" → (11, 1): row and column from 0.
std::pair<int, int> parseRef(const std::string& ref);

// Every cell of a sheet part as text, dates as "yyyy-mm-dd", by row from 0.
std::vector<std::vector<std::string>> readSheetCells(const Zip& zip, const std::string& part,
                                                     const std::vector<std::string>& shared,
                                                     const std::vector<bool>& dateXf,
                                                     bool date1904);

}  // namespace fennory
