// The documented calls that tell which packages of a family are installed for
// the user and where each one lies. They are loaded when first needed from
// kernelbase (or kernel32), since only Windows 8 and later have them and Wine
// lacks some: a caller falls back to the package repository's keys when a
// call is missing or refuses.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct PackageCalls {
    // LONG GetPackagesByPackageFamily(PCWSTR, UINT32* count, PWSTR* fullNames,
    //                                 UINT32* bufferLength, WCHAR* buffer)
    using PackagesByFamilyFn = LONG(WINAPI*)(PCWSTR, UINT32*, PWSTR*, UINT32*, WCHAR*);
    // LONG GetPackagePathByFullName(PCWSTR, UINT32* pathLength, PWSTR path)
    using PathByFullNameFn = LONG(WINAPI*)(PCWSTR, UINT32*, PWSTR);
    // LONG PackageFamilyNameFromFullName(PCWSTR, UINT32* length, PWSTR familyName)
    using FamilyFromFullNameFn = LONG(WINAPI*)(PCWSTR, UINT32*, PWSTR);

    PackagesByFamilyFn packagesByFamily = nullptr;
    PathByFullNameFn pathByFullName = nullptr;
    FamilyFromFullNameFn familyFromFullName = nullptr;
};

// The calls this Windows has (each nullptr where it has not), or the stand-in.
const PackageCalls& CurrentPackageCalls();
// Test seam: calls that answer for packages Wine cannot install; nullptr gives
// the system's back.
void SetPackageCallsForTests(const PackageCalls* calls);

// The package family of a full name: through the call, else from the name's
// own fields (Name_Version_Architecture_ResourceId_PublisherId gives
// Name_PublisherId). Empty when the name is no package full name.
std::string PackageFamilyOf(const std::string& fullName);
// The full names of the family's packages installed for the user; false when
// the call is missing or refuses, so that only the repository can tell.
bool InstalledPackagesOfFamily(const std::string& family, std::vector<std::string>& fullNames);
// The folder a package is installed in; false when the call is missing or refuses.
bool InstalledPackageFolder(const std::string& fullName, std::string& folder);
