// The control IDs of every window, in one place, so that the window code, screen
// readers and the end-to-end test driver agree on them. IDs never change once
// released: tests and tools find controls by them.
//
// Ranges: main window 1000-1999, message/question/wait windows 2000-2099,
// other dialogs 3000-3999.
#pragma once

// ---- Main window (1000-1999) ----------------------------------------------
// Reserved for the main window and its ribbon.

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
// Reserved for the entry editor, location, restore, blocked-entries, information
// and language dialogs.
