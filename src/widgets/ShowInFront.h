#pragma once

class QWidget;

// Shows a window of which there is one at a time, brought in front of the
// others and given the keyboard, whether it was hidden, behind or new. It
// opens within the free area of its screen, made smaller where it would not
// fit (a large font, a small screen).
void showInFront(QWidget *window);
