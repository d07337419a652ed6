#pragma once

class QWidget;

namespace vaticor {

// The press effect of the toolbars' command images: pressing the left
// button on the image moves it one pixel right and one down; releasing
// moves it back, after the image's click has run (so a command runs while
// its image still looks pressed). The image owns what is installed.
void AddPressEffect(QWidget* image);

}  // namespace vaticor
