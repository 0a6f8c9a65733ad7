#pragma once

#include <QPalette>

class QApplication;
class QStyle;

namespace zandrel {

// A dark palette, to check the windows where no dark desktop theme is at hand.
QPalette DarkPalette();

// The style the dark palette is shown in: Fusion, with check box and radio button indicators
// whose outlines stand out against the dark base colour.
QStyle* DarkStyle();

// Shows the whole application in the dark palette and style; wrap, when given, wraps the style
// (as the program's own proxy style does).
void UseDarkPalette(QApplication& app, QStyle* (*wrap)(QStyle*) = nullptr);

}  // namespace zandrel
