#include "ui/dialogs/LocationModel.h"

namespace {

// The registry buttons in the order of their keys: Run, RunOnce, RunOnceEx,
// RunServices, RunServicesOnce are kinds 11 to 15 (21 to 25 for the machine).
int RegistryKeyOffset(LocationButton button) {
    switch (button) {
        case LocationButton::Run:
            return 1;
        case LocationButton::RunOnce:
            return 2;
        case LocationButton::RunOnceEx:
            return 3;
        case LocationButton::RunServices:
            return 4;
        case LocationButton::RunServicesOnce:
            return 5;
        default:
            return 0;
    }
}

LocationButton RegistryButtonAt(int offset) {
    static const LocationButton buttons[] = {LocationButton::Run, LocationButton::RunOnce, LocationButton::RunOnceEx,
                                             LocationButton::RunServices, LocationButton::RunServicesOnce};
    return buttons[offset - 1];
}

}  // namespace

bool IsRegistryButton(LocationButton button) { return RegistryKeyOffset(button) != 0; }

LocationChoice PreselectForKind(int32_t kind, const LocationChoice& previous) {
    LocationChoice choice = previous;
    if (kind == 1) {
        choice.button = LocationButton::CommonStartup;
    } else if (kind == 2) {
        choice.button = LocationButton::UserStartup;
    } else if (kind >= 11 && kind <= 15) {
        choice.button = RegistryButtonAt(kind - 10);
        choice.hive = RegistryHive::CurrentUser;
    } else if (kind >= 21 && kind <= 25) {
        choice.button = RegistryButtonAt(kind - 20);
        choice.hive = RegistryHive::AllUsers;
    } else if (kind >= 26 && kind <= 28) {
        choice.button = RegistryButtonAt(kind - 25);
        choice.hive = RegistryHive::AllUsers32;
    } else if (kind == 31) {
        choice.button = LocationButton::WinIniLoad;
    } else if (kind == 32) {
        choice.button = LocationButton::WinIniRun;
    }
    return choice;
}

int32_t KindForChoice(const LocationChoice& choice) {
    switch (choice.button) {
        case LocationButton::UserStartup:
            return 2;
        case LocationButton::WinIniLoad:
            return 31;
        case LocationButton::WinIniRun:
            return 32;
        case LocationButton::None:
        case LocationButton::CommonStartup:
            return 1;
        default:
            break;
    }
    const int offset = RegistryKeyOffset(choice.button);
    if (choice.hive == RegistryHive::AllUsers32 && offset <= 3) return 25 + offset;
    return (choice.hive == RegistryHive::CurrentUser ? 10 : 20) + offset;
}
