// The relabelling table: which text of a language file goes into which control, in what order.
#pragma once

#include <QString>

#include <vector>

namespace relabel {

// What a step writes into its control.
enum class Target {
    Caption,     // menu title, action text, button, check box, label text or group box title
    WindowTitle, // the window's own title; the step names no control
    Hint,        // tooltip
    TabCaption,  // caption of the tab that shows the page named as control
    ListItem,    // one item of a combo box, replaced in place
};

// One text in one window, found by object names at run time.
struct Place
{
    const char *window = nullptr;  // objectName of the window
    const char *control = nullptr; // objectName of the control; nullptr for the window itself
    Target target = Target::Caption;
    int item = -1; // the item index of a ListItem
};

// One step of the loader. A read step takes a key of the language file (or its default); a copy
// step takes the text that an earlier step has just written into another control.
struct Step
{
    const char *section = nullptr;     // nullptr marks a copy step
    const char *key = nullptr;         // read steps only
    const char *defaultText = nullptr; // UTF-8; nullptr: a missing key gives empty text
    Place from;                        // copy steps only
    Place to;

    bool isCopy() const { return section == nullptr; }
};

// Every step in the order the loader applies them: 176 reads, with the image-dialog copies
// after [DImage], the page-toolbar hints after [Common] and the Options check-box hints last.
const std::vector<Step> &table();

// Texts the table above leaves in Russian whatever the language (a Settings item, labels, the
// find and replace dialogs), applied after it. Each key has its Russian text as default, so
// a language file without them changes nothing there.
const std::vector<Step> &additions();

// table() followed by additions(): what the loader applies.
const std::vector<Step> &allSteps();

// "TForm1/cut1 (caption)", for messages and test output.
QString describe(const Place &place);

} // namespace relabel
