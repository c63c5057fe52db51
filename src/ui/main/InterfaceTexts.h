// Puts the loaded language's texts onto every window in one pass: at start-up
// after the language is settled, and again after each switch of the language
// while the program runs. The texts that windows fetch when they show
// something (messages, details, tips, table rows) are not set here.
#pragma once
namespace ui {

class MainWindow;

// The main window whose texts the pass includes (start-up, once it exists).
void RegisterMainWindow(MainWindow* window);

// Captions of every window, in a fixed order: entry editor, information window,
// prompts, location dialog, backup manager, main window, blocked entries, and
// last the main window's ribbon (German keeps the captions it has; any other
// language gets the neutral tab names and the commands' texts).
void ApplyInterfaceTexts();
// The hints of the main window's three info images (text 35), each image 5
// pixels after the end of its label.
void ApplyInfoImageHints();

}  // namespace ui
