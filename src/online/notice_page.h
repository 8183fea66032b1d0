#pragma once

#include <set>
#include <string>

namespace tessaril {

// The "href" values of the links of `html` that ask for a new window (a target other than the
// page's own frame: not empty, "_self", "_parent" or "_top"), as written in the page. The notice
// view opens those with the desktop's default handler instead of a second browser window.
std::set<std::string> NewWindowLinks(const std::string& html);

}  // namespace tessaril
