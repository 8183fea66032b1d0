#include "online/advertisements.h"

#include "online/http_get_client.h"
#include "online/online_addresses.h"

namespace tessaril {
namespace {

std::string RemoveAll(std::string text, const std::string& what) {
  for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos)) {
    text.erase(pos, what.size());
  }
  return text;
}

}  // namespace

void Advertisements::Add(std::string text, std::string link) {
  texts_.push_back(std::move(text));
  links_.push_back(std::move(link));
}

void Advertisements::AddLine(const std::string& line) {
  const size_t link = line.find("<Link>");
  if (link == std::string::npos || link == 0) {
    Add(line, "");
    return;
  }
  Add(RemoveAll(line.substr(0, link), "<Txt>"), RemoveAll(line.substr(link), "<Link>"));
}

void Advertisements::Parse(std::string text) {
  text += "\r\n";
  for (;;) {
    const size_t end = text.find("\r\n");
    if (end == 0 || end == std::string::npos)
      break;
    AddLine(text.substr(0, end));
    text.erase(0, end + 2);
  }
}

void Advertisements::ShowFirst(AdLabel& label) const {
  if (texts_.empty())
    return;
  label.SetLink(links_[0]);
  label.SetText(texts_[0]);
}

void Advertisements::Rotate(AdLabel& label) {
  const int count = static_cast<int>(texts_.size());
  if (++index_ >= count)
    index_ = 0;
  if (index_ < count) {
    label.SetLink(links_[index_]);
    // The run of spaces wipes the old text before the new one is drawn.
    label.SetText(std::string(144, ' '));
    label.SetText(texts_[index_]);
  }
}

void Advertisements::Clear() {
  texts_.clear();
  links_.clear();
  index_ = 0;
}

bool LoadAdvertisements(const SettingsStore& settings, Advertisements& ads, AdLabel& label) {
  std::string body;
  CHttpGetClient client;
  if (!client.Get(OnlineAddressOf(settings, kAdUrl), body)) {
    ads.Add(kDefaultAdText, OnlineAddressOf(settings, kHomePage));
    return false;
  }
  ads.Parse(std::move(body));
  ads.ShowFirst(label);
  return true;
}

}  // namespace tessaril
