#pragma once

#include <string>

namespace tessaril {

// The folder of the files that sit beside the executable (addrdat/sms.dll, add.txt, sheng.txt,
// help.txt): $TESSARIL_DATA_DIR when set, else the folder of the running executable, or, for an
// installed program without data beside it, share/korvanetessaril/ beside its bin/. Ends in "/".
std::string DefaultDataFolder();

// `name` inside `folder` ("add.txt" in "/opt/tessaril/" gives "/opt/tessaril/add.txt").
std::string DataFile(const std::string& folder, const std::string& name);

}  // namespace tessaril
