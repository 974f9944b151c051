#pragma once
// The program's own pictures, drawn in code: the 17 tool-bar images (16 by 15
// pixels; 16 is Terminate) and the icons of the program and its two window kinds.
#include <QIcon>
#include <QPixmap>

QPixmap ToolBarImage(int index);
QIcon ApplicationIcon();  // resource 1
QIcon EditorIcon();       // resource 8
QIcon OutputIcon();       // resource 9
