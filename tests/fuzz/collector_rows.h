#pragma once
// A collector project built from a text of rows, so that the fuzzer varies
// the values of the collector's tables rather than SQLite's page bytes:
//   P|field|field…   a row of Point
//   D|field|field…   a row of Electric_Data_DH
//   T|field|field…   a row of Electric_Data_TG
// in the tables' column order (as the test fixtures insert them). A field is
// i<integer>, r<real> (inf, nan, 1e308 allowed), b<blob bytes>, n (NULL), or
// any other text, stored as it is; missing fields are NULL.
#include <string>
#include <string_view>

namespace linvara::fuzz {

// Writes the project to `path`; rows beyond a few hundred are left out.
void WriteProjectFromRows(const std::string& path, std::string_view rows);

}  // namespace linvara::fuzz
