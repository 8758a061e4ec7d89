#pragma once

#include <string>

namespace platform {

// Whether a wineserver of this prefix runs now. The server listens on a socket in a folder
// named after the prefix folder's device and inode, server-<device>-<inode> in hexadecimal,
// below /tmp/.wine-<uid>, or below the /tmp folder whose name the prefix's "wineserver" file
// holds when Wine was built to make that folder unpredictable. A running server holds a lock
// on the "lock" file beside the socket; a socket left by a server that died holds none.
bool IsWineServerRunning(const std::string& prefix);

}  // namespace platform
