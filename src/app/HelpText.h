#pragma once
#include <QStringList>

// The lines of the help panel's text, empty lines included.
QStringList helpTextLines();
