#pragma once

namespace platform {

// The window descriptions name Windows faces; fontconfig knows metric twins
// of Arial and Times New Roman, these fill in the rest.
void installFontSubstitutes();

} // namespace platform
