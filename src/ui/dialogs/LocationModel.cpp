#include "ui/dialogs/LocationModel.h"

#include "entries/LocationKinds.h"

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
    if (kind == kCommonStartup) {
        choice.button = LocationButton::CommonStartup;
    } else if (kind == kUserStartup) {
        choice.button = LocationButton::UserStartup;
    } else if (kind >= kUserRun && kind <= kUserRunServicesOnce) {
        choice.button = RegistryButtonAt(kind - kUserRun + 1);
        choice.hive = RegistryHive::CurrentUser;
    } else if (kind >= kMachineRun && kind <= kMachineRunServicesOnce) {
        choice.button = RegistryButtonAt(kind - kMachineRun + 1);
        choice.hive = RegistryHive::AllUsers;
    } else if (kind >= kMachineRun32 && kind <= kMachineRunOnceEx32) {
        choice.button = RegistryButtonAt(kind - kMachineRun32 + 1);
        choice.hive = RegistryHive::AllUsers32;
    } else if (kind == kWinIniLoad) {
        choice.button = LocationButton::WinIniLoad;
    } else if (kind == kWinIniRun) {
        choice.button = LocationButton::WinIniRun;
    }
    return choice;
}

int32_t KindForChoice(const LocationChoice& choice) {
    switch (choice.button) {
        case LocationButton::UserStartup:
            return kUserStartup;
        case LocationButton::WinIniLoad:
            return kWinIniLoad;
        case LocationButton::WinIniRun:
            return kWinIniRun;
        case LocationButton::None:
        case LocationButton::CommonStartup:
            return kCommonStartup;
        default:
            break;
    }
    // The registry buttons in the order of the kinds, from Run (offset 1) on.
    const int offset = RegistryKeyOffset(choice.button);
    if (choice.hive == RegistryHive::AllUsers32 && offset <= 3) return kMachineRun32 + offset - 1;
    return (choice.hive == RegistryHive::CurrentUser ? kUserRun : kMachineRun) + offset - 1;
}
