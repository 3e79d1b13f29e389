#pragma once

class QWidget;

// Shows a window of which there is one at a time, brought in front of the
// others and given the keyboard, whether it was hidden, behind or new.
void showInFront(QWidget *window);
