// The information window's contents, apart from its window: the table of
// label and value rows and which language the list selects.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

using TextFn = std::function<std::string(int)>;

extern const char kMakerName[];  // "Veltmanix"

// Rows 1 to 5 of the table as (label, value): version, platform, maker,
// language, copyright. Row 0 stays empty and is not in the list.
std::vector<std::pair<std::string, std::string>> InfoRows(const TextFn& text, const std::string& version);

// The position of the current language in the list: names are compared with
// the letters a to z upper-cased (other characters as they are), a later match
// wins, and with no match the first item.
int SelectedLanguage(const std::vector<std::string>& names, const std::string& currentName);
