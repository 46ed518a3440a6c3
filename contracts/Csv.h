#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as RFC 4180 has them: fields separated by commas, records ended
// by CRLF, and a field quoted (its quotes doubled) when it holds a comma, a quote or a line
// end. Texts are written as given; callers hand over UTF-8.

// One field, quoted when it must be.
std::string CsvField(std::string_view text);

// Appends one record of fields, ended by CRLF.
void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields);
