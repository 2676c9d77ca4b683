#pragma once

#include <QtCore/QString>
#include <QtGui/QImage>

#include <vector>

namespace skingen {

// One picture of the skin and where it goes, relative to the png folder.
struct SkinFile {
    QString path;
    QImage image;
};
using SkinFiles = std::vector<SkinFile>;

// Each window's pictures, appended in the order they are drawn.
void AddMainWindow(SkinFiles& files);    // png/: background, buttons, keyboard, logo, splash
void AddPanel(SkinFiles& files);         // png/: the lighting and performance panel
void AddKeyAssignment(SkinFiles& files); // png/Custom/
void AddMacroManager(SkinFiles& files);  // png/MacroManagement/
void AddProfileManager(SkinFiles& files);// png/Config/
void AddBitmaps(SkinFiles& files);       // png/bitmaps/: the compiled-in bitmaps, for reference

// The desktop icon in its hicolor sizes ("256x256/apps/solvane.png"), kept apart from png/.
void AddAppIcons(SkinFiles& files);

}  // namespace skingen
