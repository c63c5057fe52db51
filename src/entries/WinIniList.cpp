#include "entries/WinIniList.h"

const char kClearWinIniList[] = "intern_clear";

std::vector<std::string> SplitWinIniList(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] != ';') item += list[i];
        if (list[i] == ';' || i + 1 == list.size()) {
            items.push_back(std::move(item));
            item.clear();
        }
    }
    return items;
}

std::string AppendToWinIniList(const std::string& list, const std::string& item) {
    if (item == kClearWinIniList) return std::string();
    return list.empty() ? item : list + ";" + item;
}

std::string WinIniListWithout(const std::string& list, const std::string& item) {
    std::string rebuilt;
    for (const std::string& kept : SplitWinIniList(list)) {
        if (kept == item) continue;
        // A kept item is kept as text, even one that reads "intern_clear": leaving
        // one item out must never empty the rest of the list.
        rebuilt = rebuilt.empty() ? kept : rebuilt + ";" + kept;
    }
    return rebuilt;
}

std::string WinIniListWithoutFirst(const std::string& list, const std::string& item) {
    std::vector<std::string> items = SplitWinIniList(list);
    std::string rebuilt;
    bool dropped = false;
    for (const std::string& kept : items) {
        if (!dropped && kept == item) {
            dropped = true;
            continue;
        }
        rebuilt = rebuilt.empty() ? kept : rebuilt + ";" + kept;
    }
    return dropped ? rebuilt : list;
}
