#include "ui/dialogs/InfoWindowModel.h"

#include "system/TextCase.h"

const char kMakerName[] = "Veltmanix";

std::vector<std::pair<std::string, std::string>> InfoRows(const TextFn& text, const std::string& version) {
    return {
        {text(18), version}, {text(20), text(21)}, {text(22), kMakerName}, {text(23), text(0)}, {text(24), text(25)},
    };
}

int SelectedLanguage(const std::vector<std::string>& names, const std::string& currentName) {
    int selected = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (SameAscii(names[i], currentName)) selected = static_cast<int>(i);
    }
    return selected;
}
