#pragma once
// Builds small .xlsx files from XML parts, to feed the reader exactly the
// markup a test needs (inline strings, booleans, date formats, sparse rows).

#include <zip.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace fennory::testing {

inline void writeZip(const std::filesystem::path& file,
                     const std::map<std::string, std::string>& parts) {
    int err = 0;
    zip_t* z = zip_open(file.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) {
        throw std::runtime_error("cannot create zip");
    }
    for (const auto& [name, text] : parts) {
        zip_source_t* src = zip_source_buffer(z, text.data(), text.size(), 0);
        zip_file_add(z, name.c_str(), src, ZIP_FL_ENC_UTF_8);
    }
    zip_close(z);
}

// A workbook with one sheet of the given sheetData markup.
inline void writeXlsx(const std::filesystem::path& file, const std::string& sheetName,
                      const std::string& sheetData, const std::string& sharedStrings = "",
                      const std::string& styles = "") {
    std::map<std::string, std::string> parts = {
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>"},
        {"xl/workbook.xml",
         "<?xml version=\"1.0\"?><workbook xmlns:r=\"r\"><sheets><sheet name=\"" + sheetName +
             "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<?xml version=\"1.0\"?><Relationships><Relationship Id=\"rId1\" "
         "Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml",
         "<?xml version=\"1.0\"?><worksheet><sheetData>" + sheetData + "</sheetData></worksheet>"},
    };
    if (!sharedStrings.empty()) {
        parts["xl/sharedStrings.xml"] = "<?xml version=\"1.0\"?><sst>" + sharedStrings + "</sst>";
    }
    if (!styles.empty()) {
        parts["xl/styles.xml"] = "<?xml version=\"1.0\"?><styleSheet>" + styles + "</styleSheet>";
    }
    writeZip(file, parts);
}

}  // namespace fennory::testing
