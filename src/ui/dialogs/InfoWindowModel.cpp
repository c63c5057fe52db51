#include "ui/dialogs/InfoWindowModel.h"

#include "system/TextCase.h"
#include "ui/win/TextNumbers.h"

const char kMakerName[] = "Veltmanix";

std::vector<std::pair<std::string, std::string>> InfoRows(const TextFn& text, const std::string& version) {
    return {
        {text(Text::VersionRow), version},
        {text(Text::PlatformRow), text(Text::PlatformValue)},
        {text(Text::PublisherRow), kMakerName},
        {text(Text::LanguageRow), text(Text::LanguageName)},
        {text(Text::CopyrightRow), text(Text::CopyrightValue)},
    };
}

int SelectedLanguage(const std::vector<std::string>& names, const std::string& currentName) {
    int selected = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (SameAscii(names[i], currentName)) selected = static_cast<int>(i);
    }
    return selected;
}
