#pragma once

#include <string>

namespace framework {

// The application's message box: the UTF-8 text over one OK button, with the warning icon and
// the application's name as caption, owned by the innermost open dialog. Returns IDOK once the
// user has dismissed it.
int AppMessageBox(const std::string& text);

}  // namespace framework
