#pragma once

// The window's layout measures a tab page's controls from the top of the tab
// control; a Qt tab page begins below the tab strip, about this many twips down.
namespace TabPage {
inline constexpr int topOffset = 390;
}
