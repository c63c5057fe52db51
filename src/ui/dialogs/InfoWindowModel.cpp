#include "ui/dialogs/InfoWindowModel.h"

const char kMakerName[] = "Veltmanix";

namespace {

std::string UpperAToZ(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> InfoRows(const TextFn& text, const std::string& version) {
    return {
        {text(18), version}, {text(20), text(21)}, {text(22), kMakerName}, {text(23), text(0)}, {text(24), text(25)},
    };
}

int SelectedLanguage(const std::vector<std::string>& names, const std::string& currentName) {
    const std::string wanted = UpperAToZ(currentName);
    int selected = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (UpperAToZ(names[i]) == wanted) selected = static_cast<int>(i);
    }
    return selected;
}
