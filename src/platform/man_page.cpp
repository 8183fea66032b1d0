#include "platform/man_page.h"

#include <cctype>

#include "platform/app_info.h"

namespace tessaril {
namespace {

// Text as roff prints it: a backslash is roff's escape, "-" would be a hyphen that breaks lines
// and does not paste as the minus of an option, and a line must not begin with a control
// character ("." or "'").
std::string Escaped(const std::string& text) {
  std::string escaped;
  bool line_start = true;
  for (char c : text) {
    if (line_start && (c == '.' || c == '\''))
      escaped += "\\&";
    line_start = c == '\n';
    if (c == '\\')
      escaped += "\\e";
    else if (c == '-')
      escaped += "\\-";
    else
      escaped += c;
  }
  return escaped;
}

void WriteEntry(const ManEntry& entry, std::ostream& out) {
  out << ".TP\n\\fB" << Escaped(entry.name) << "\\fR";
  if (!entry.arguments.empty())
    out << ' ' << Escaped(entry.arguments);
  out << '\n' << Escaped(entry.text) << '\n';
  if (entry.entries.empty())
    return;
  out << ".RS\n";
  for (const ManEntry& inner : entry.entries)
    WriteEntry(inner, out);
  out << ".RE\n";
}

std::string Upper(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

void WriteManPage(const ManPage& page, std::ostream& out) {
  // No date: the page is the same in every build of one version.
  out << ".TH " << Escaped(Upper(page.program)) << " 1 \"\" \"" << kApplicationName << ' '
      << kApplicationVersion << "\" \"User Commands\"\n"
      << ".SH NAME\n"
      << Escaped(page.program) << " \\- " << Escaped(page.summary) << '\n'
      << ".SH SYNOPSIS\n"
      << "\\fB" << Escaped(page.program) << "\\fR " << Escaped(page.synopsis) << '\n';
  for (const ManSection& section : page.sections) {
    out << ".SH " << Escaped(section.title) << '\n';
    if (!section.text.empty())
      out << Escaped(section.text) << '\n';
    for (const ManEntry& entry : section.entries)
      WriteEntry(entry, out);
  }
}

std::string VersionLine(const std::string& program) {
  return program + ' ' + kApplicationVersion;
}

}  // namespace tessaril
