#pragma once
// The program's own pictures, drawn in code: the 17 tool-bar images (16 by 15
// pixels; 16 is Terminate) and the icons of the program and its two window kinds.
// The icons are drawn for every size a desktop asks for, so the window, the
// About box and the installed icon files all show the same picture.
#include <QIcon>
#include <QPixmap>
#include <vector>

QPixmap ToolBarImage(int index);

// The square sizes, in pixels, at which the icons are drawn and installed.
const std::vector<int>& IconSizes();
QPixmap ApplicationImage(int size);  // the program's icon at one size
QPixmap EditorImage(int size);       // a model's icon (the editor window's) at one size

QIcon ApplicationIcon();  // resource 1
QIcon EditorIcon();       // resource 8
QIcon OutputIcon();       // resource 9
