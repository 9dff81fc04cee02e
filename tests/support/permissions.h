#pragma once

namespace brindo::test {

// Makes file permissions count for this thread also when it runs as root, by
// dropping the capabilities that let root read and write anything. Returns
// whether a folder without read permission is now unreadable.
bool permissionsEnforced();

} // namespace brindo::test
