#pragma once

namespace platform {

// The toolkit's own dialogs (file, font, print, message box buttons) speak
// Polish like the rest of the system, whatever the user's locale.
void installPolishTranslations();

} // namespace platform
