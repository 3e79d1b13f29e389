#pragma once

class QWidget;

// Esc and Ctrl+W close the window, wherever the focus is in it.
void addCloseKeys(QWidget *window);
