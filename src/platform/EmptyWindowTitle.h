#pragma once

class QWidget;

namespace platform {

// Keeps the title bar of a top-level window free of text. Qt hands the
// window system the application's name in place of an empty title, so on
// X11 the title properties are cleared again whenever the window is created,
// shown or retitled. Elsewhere the empty title is left to Qt.
void keepTitleEmpty(QWidget *window);

} // namespace platform
