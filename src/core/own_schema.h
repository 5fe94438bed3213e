#pragma once
// A data file may hold only what this program makes in it. Anyone can make a
// keyed file, and the engine parses whatever schema a file carries: a trigger,
// a view, a virtual table or an index expression of someone else's runs, or
// is parsed, the moment the file is used. Such a file is refused before any
// content is read.

#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace fennory {

// The first object of the file's schema that this program does not make, said
// for the user ("触发器 t1"), or nothing. A file of the current version must
// match the schema's text object by object; an older one (whose objects came
// from earlier texts) may hold only objects of known names, none of them a
// trigger, view or virtual table, and no expression beyond typeof().
std::optional<std::string> foreignSchemaObject(sqlite3* db, std::string_view schema,
                                               bool currentVersion);

// Statement text with comments dropped and spacing made uniform, to compare.
std::string normalizedSql(std::string_view sql);

}  // namespace fennory
