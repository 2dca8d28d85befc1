#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine
{

// Where the icon comes from; only the main window's layout and chooser filter depend on it.
enum class IconSource { File, Library };

// Which file managers the folders are dressed for: xp gives the folder attribute 1, 9x gives 5.
enum class WindowsMode { Xp, Nt9x };

// The inputs of one customisation run, as the main window's and the options dialog's controls
// hold them.
struct CustomisationRequest {
    std::vector<std::string>
        targetFolders;           // Text1's list, in order; each normally ends with a separator
    std::string selectedFolder;  // Text1's edit line
    bool makeIcon = false;       // Check2
    bool makeInfoTip = false;    // Check1
    bool makeBackground = false; // Check3
    std::string iconPath;        // Text2: icon file or library
    std::string iconIndex = "0"; // Text3: copied to the file as text, never normalised
    IconSource iconSource = IconSource::File;  // Option1 / Option2 of the main window
    std::string infoTip;                       // Text4
    std::string picturePath;                   // Text5
    std::uint32_t nameColour = 0;              // Picture1's background, 0x00BBGGRR
    bool onlyFirstFolder = false;              // options dialog Option2 ("one folder")
    WindowsMode windowsMode = WindowsMode::Xp; // options dialog Option3 / Option4
    bool copyIcon = false; // the icon and picture are copied into each folder under content names

    bool anythingToMake() const { return makeIcon || makeInfoTip || makeBackground; }
};

} // namespace engine
