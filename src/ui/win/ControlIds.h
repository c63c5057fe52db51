// The control IDs of every window, in one place, so that the window code, screen
// readers and the end-to-end test driver agree on them. IDs never change once
// released: tests and tools find controls by them.
//
// Ranges: main window 1000-1999, message/question/wait windows 2000-2099,
// other dialogs 3000-3999.
#pragma once

// ---- Main window (1000-1999) ----------------------------------------------
// Main window (class "TForm1")
// Ribbon: tabs, then one item per command, in ribbon order.
constexpr int kIdRibbonTabHome = 1000;
constexpr int kIdRibbonTabAppearance = 1001;
constexpr int kIdRibbonTabHelp = 1002;
// The quick-access copy of "new entry", left of the tabs.
constexpr int kIdRibbonQuickNewEntry = 1005;
constexpr int kIdRibbonNewEntry = 1010;
constexpr int kIdRibbonRefresh = 1011;
constexpr int kIdRibbonPrint = 1012;
constexpr int kIdRibbonMakeBackup = 1013;
constexpr int kIdRibbonManageBackups = 1014;
constexpr int kIdRibbonBlockedEntries = 1015;
constexpr int kIdRibbonRestart = 1016;
constexpr int kIdRibbonHomepage = 1017;
constexpr int kIdRibbonExit = 1018;
constexpr int kIdRibbonSchemeBlue = 1020;
constexpr int kIdRibbonSchemeBlack = 1021;
constexpr int kIdRibbonSchemeSilver = 1022;
constexpr int kIdRibbonAbout = 1030;
constexpr int kIdRibbonHelp = 1031;
constexpr int kIdRibbonDocumentation = 1032;
constexpr int kIdRibbonContactHomepage = 1033;
constexpr int kIdRibbonEmail = 1034;
// Side panel: section headings with their hot spots, group labels with their
// info images, the twelve filter check boxes (kIdFilterFirst + filter index),
// legend, tips.
constexpr int kIdSourcesHeading = 1100;
constexpr int kIdSourcesToggle = 1101;
constexpr int kIdInformationHeading = 1102;
constexpr int kIdInformationToggle = 1103;
constexpr int kIdGroupLabelFolders = 1110;
constexpr int kIdGroupLabelRegistry = 1111;
constexpr int kIdGroupLabelWinIni = 1112;
constexpr int kIdGroupLabelTasks = 1113;
constexpr int kIdInfoImageFolders = 1115;
constexpr int kIdInfoImageRegistry = 1116;
constexpr int kIdInfoImageWinIni = 1117;
constexpr int kIdInfoImageTasks = 1118;
constexpr int kIdFilterCommonStartup = 1120;
constexpr int kIdFilterUserStartup = 1121;
constexpr int kIdFilterRun = 1122;
constexpr int kIdFilterRunOnce = 1123;
constexpr int kIdFilterRunOnceEx = 1124;
constexpr int kIdFilterRunServices = 1125;
constexpr int kIdFilterRunServicesOnce = 1126;
constexpr int kIdFilterWinIniLoad = 1127;
constexpr int kIdFilterWinIniRun = 1128;
constexpr int kIdFilterTasksAtLogon = 1129;
constexpr int kIdFilterWindowsTasks = 1130;
constexpr int kIdFilterPackagedApps = 1131;
constexpr int kIdFilterFirst = kIdFilterCommonStartup;
constexpr int kIdLegend = 1133;
constexpr int kIdLegendRule = 1134;
constexpr int kIdLegendWillNotRun = 1135;
constexpr int kIdTipText = 1140;
constexpr int kIdTipLink = 1141;
// Entry list and details group.
constexpr int kIdEntriesGroup = 1200;
constexpr int kIdEntryList = 1201;
constexpr int kIdFilterCaption = 1204;
constexpr int kIdFilterText = 1205;
constexpr int kIdDetailsGroup = 1210;
constexpr int kIdNameCaption = 1211;
constexpr int kIdNameText = 1212;
constexpr int kIdCommandCaption = 1213;
constexpr int kIdCommandText = 1214;
constexpr int kIdMakerCaption = 1215;
constexpr int kIdMakerText = 1216;
constexpr int kIdDeleteButton = 1220;
constexpr int kIdChangeButton = 1221;
constexpr int kIdLaunchButton = 1222;
constexpr int kIdBlockButton = 1223;
constexpr int kIdStatusGroup = 1230;
constexpr int kIdStatusText = 1231;
constexpr int kIdReasonText = 1233;
constexpr int kIdSwitchButton = 1232;
constexpr int kIdLocationGroup = 1240;
constexpr int kIdLocationText = 1241;
constexpr int kIdMoveButton = 1242;
// Status bar.
constexpr int kIdLogonCheckText = 1250;

// ---- Message, question, wait, information-message and splash windows (2000-2099)
// Message dialog (class "TShowMessage2Form")
constexpr int kIdMessageText = 2000;
constexpr int kIdMessageClose = 2001;
constexpr int kIdMessagePicture = 2002;
// Question dialog (class "TQuestionDialogForm")
constexpr int kIdQuestionText = 2010;
constexpr int kIdQuestionYes = 2011;
constexpr int kIdQuestionNo = 2012;
constexpr int kIdQuestionPicture = 2013;
// Wait dialog (class "TWaitForm")
constexpr int kIdWaitProgramName = 2020;
constexpr int kIdWaitAnimation = 2021;
constexpr int kIdWaitMessage = 2022;
constexpr int kIdWaitSecondLine = 2023;
constexpr int kIdWaitProgress = 2024;
constexpr int kIdWaitPicture = 2025;
// Information message dialog (class "TInfoMessage")
constexpr int kIdInfoMessageTitle = 2030;
constexpr int kIdInfoMessageGroup = 2031;
constexpr int kIdInfoMessageText = 2032;
constexpr int kIdInfoMessageClose = 2033;
constexpr int kIdInfoMessagePicture = 2034;
// Splash window (class "TSplashForm")
constexpr int kIdSplashProgramName = 2040;

// ---- Dialogs (3000-3999) -----------------------------------------------------
// Entry editor (class "TEditAddForm")
constexpr int kIdEditorNameGroup = 3000;
constexpr int kIdEditorName = 3001;
constexpr int kIdEditorLocationGroup = 3002;
constexpr int kIdEditorLocation = 3003;
constexpr int kIdEditorChangeLocation = 3004;
constexpr int kIdEditorCommandGroup = 3005;
constexpr int kIdEditorCommand = 3006;
constexpr int kIdEditorBrowse = 3007;
constexpr int kIdEditorSave = 3008;
constexpr int kIdEditorCancel = 3009;

// Location dialog (class "TLocationForm")
constexpr int kIdLocationFolderHeading = 3100;
constexpr int kIdLocationRegistryHeading = 3101;
constexpr int kIdLocationWinIniHeading = 3102;
// The nine location buttons, one group.
constexpr int kIdLocationCommonStartup = 3110;
constexpr int kIdLocationUserStartup = 3111;
constexpr int kIdLocationRun = 3112;
constexpr int kIdLocationRunOnce = 3113;
constexpr int kIdLocationRunOnceEx = 3114;
constexpr int kIdLocationRunServices = 3115;
constexpr int kIdLocationRunServicesOnce = 3116;
constexpr int kIdLocationWinIniLoad = 3117;
constexpr int kIdLocationWinIniRun = 3118;
// Explanation lines under the buttons.
constexpr int kIdLocationLineCommon1 = 3120;
constexpr int kIdLocationLineCommon2 = 3121;
constexpr int kIdLocationLineUser = 3122;
constexpr int kIdLocationLineRun1 = 3123;
constexpr int kIdLocationLineRun2 = 3124;
constexpr int kIdLocationLineRunOnce = 3125;
constexpr int kIdLocationLineRunOnceEx = 3126;
constexpr int kIdLocationLineRunServices1 = 3127;
constexpr int kIdLocationLineRunServices2 = 3128;
constexpr int kIdLocationLineRunServicesOnce = 3129;
constexpr int kIdLocationLineWinIni1 = 3130;
constexpr int kIdLocationLineWinIni2 = 3131;
// The registry hive choice.
constexpr int kIdLocationHiveGroup = 3140;
constexpr int kIdLocationHiveAllUsers = 3141;
constexpr int kIdLocationHiveCurrentUser = 3142;
constexpr int kIdLocationHiveAllUsers32 = 3143;
constexpr int kIdLocationApply = 3150;

// Backup manager (class "TRestoreForm")
constexpr int kIdRestorePrompt1 = 3200;
constexpr int kIdRestorePrompt2 = 3201;
constexpr int kIdRestoreGroup = 3202;
constexpr int kIdRestoreList = 3203;
constexpr int kIdRestoreDelete = 3204;
constexpr int kIdRestoreRestore = 3205;
constexpr int kIdRestoreCompare = 3206;

// What changed since a backup (class "TCompareForm")
constexpr int kIdCompareHint = 3700;
constexpr int kIdCompareList = 3701;
constexpr int kIdCompareBringBack = 3702;
constexpr int kIdCompareClose = 3703;

// Blocked-entries dialog (class "TSperrenForm")
constexpr int kIdBlockedGroup = 3300;
constexpr int kIdBlockedExplanation = 3301;
constexpr int kIdBlockedListGroup = 3302;
constexpr int kIdBlockedList = 3303;
constexpr int kIdBlockedRelease = 3304;
constexpr int kIdBlockedHoverField = 3305;

// Information window (class "TInfoForm")
constexpr int kIdInfoProgramName = 3400;
constexpr int kIdInfoHomepageIcon = 3401;
constexpr int kIdInfoLanguageGroup = 3402;
constexpr int kIdInfoLanguageList = 3403;
constexpr int kIdInfoSupportGroup = 3404;
constexpr int kIdInfoHomepageLink = 3405;
constexpr int kIdInfoMailLink = 3406;
constexpr int kIdInfoClose = 3407;
// The table: labels of rows 1 to 5 at kIdInfoRowLabel + row, values at kIdInfoRowValue + row.
constexpr int kIdInfoRowLabel = 3410;
constexpr int kIdInfoRowValue = 3420;
constexpr int kIdInfoVersionLabel = 3411;
constexpr int kIdInfoVersionValue = 3421;
constexpr int kIdInfoPlatformLabel = 3412;
constexpr int kIdInfoPlatformValue = 3422;
constexpr int kIdInfoPublisherLabel = 3413;
constexpr int kIdInfoPublisherValue = 3423;
constexpr int kIdInfoLanguageLabel = 3414;
constexpr int kIdInfoLanguageValue = 3424;
constexpr int kIdInfoCopyrightLabel = 3415;
constexpr int kIdInfoCopyrightValue = 3425;

// Language dialog (class "TLanguageForm")
constexpr int kIdLanguagePromptEnglish = 3500;
constexpr int kIdLanguagePromptGerman = 3501;
constexpr int kIdLanguagePromptFrench = 3502;
constexpr int kIdLanguageList = 3503;
constexpr int kIdLanguageOk = 3504;

// 3600-3999: reserved for later dialogs.
