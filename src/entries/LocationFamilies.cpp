#include <utility>
#include <vector>

#include "entries/LocationFamily.h"

namespace {

std::vector<std::pair<int32_t, const LocationFamily*>>& Registered() {
    static std::vector<std::pair<int32_t, const LocationFamily*>> registered;
    return registered;
}

}  // namespace

const LocationFamily* FamilyOf(int32_t kind) {
    const LocationKindRow* row = FindLocationKind(kind);
    if (!row) return nullptr;
    switch (row->family) {
        case LocationFamilyId::StartupLinks:
            return &StartupLinksFamily();
        case LocationFamilyId::RegistryValues:
            return &RegistryValuesFamily();
        case LocationFamilyId::WinIniItems:
            return &WinIniItemsFamily();
        case LocationFamilyId::SetElsewhere:
            return &SetElsewhereFamily();
        case LocationFamilyId::LogonTasks:
            return &ScheduledTasksFamily();
        case LocationFamilyId::PackagedApps:
            return &PackagedAppsFamily();
        case LocationFamilyId::Registered:
            break;
    }
    for (const auto& [registeredKind, family] : Registered()) {
        if (registeredKind == kind) return family;
    }
    return nullptr;
}

void RegisterLocationFamilyForTests(LocationKindRow row, const LocationFamily& family) {
    row.family = LocationFamilyId::Registered;
    LocationKindRows().push_back(row);
    Registered().emplace_back(row.kind, &family);
}

void ForgetRegisteredLocationFamiliesForTests() {
    auto& rows = LocationKindRows();
    for (auto row = rows.begin(); row != rows.end();) {
        row = row->family == LocationFamilyId::Registered ? rows.erase(row) : row + 1;
    }
    Registered().clear();
}
