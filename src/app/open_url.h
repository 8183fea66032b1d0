#pragma once

#include <string>

namespace tessaril::app {

// Hands `url` to the desktop's default handler. Only an http or https URL is ever opened; false
// for anything else and when the desktop could not open it.
bool OpenWebUrl(const std::string& url);

}  // namespace tessaril::app
