#pragma once

#include <QString>
#include <QStringList>

class Launcher;
class MessageBox;
class QWidget;

namespace Calculator {

// The calculators looked for on the PATH, in order of preference.
QStringList candidates();

// Starts the first calculator found, detached; tells the user when there is none.
void start(Launcher &launcher, MessageBox &messages, QWidget *parent);

} // namespace Calculator
