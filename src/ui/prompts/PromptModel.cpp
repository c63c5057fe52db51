#include "ui/prompts/PromptModel.h"

std::vector<std::string> FillInfoMemo(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

std::string InfoMemoDisplayText(const std::vector<std::string>& lines) {
    std::string shown;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) shown += "\r\n";
        std::string line = lines[i];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (char& c : line) {
            if (c == '\r') c = ' ';
        }
        shown += line;
    }
    return shown;
}
