#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tessaril {

// An option or a command as a manual page lists it: its name in bold, its arguments, a
// paragraph, and the entries under it (a command's own options).
struct ManEntry {
  std::string name;
  std::string arguments;
  std::string text;
  std::vector<ManEntry> entries = {};
};

// A section ("OPTIONS"): a paragraph, then its entries.
struct ManSection {
  std::string title;
  std::string text;
  std::vector<ManEntry> entries = {};
};

// A manual page of section 1, from which man(1) draws what the program's --help says.
struct ManPage {
  std::string program;
  std::string summary;
  std::string synopsis;  // the arguments after the program's name
  std::vector<ManSection> sections;
};

// Writes the page as roff for the man macros. Text is taken as it stands: whatever roff would
// read as a request or an escape is escaped.
void WriteManPage(const ManPage& page, std::ostream& out);

// "tessaril-cli 8.0": what --version prints, in the GNU form.
std::string VersionLine(const std::string& program);

}  // namespace tessaril
