#include "online/advertisements.h"

#include "online/http_get_client.h"
#include "online/online_addresses.h"

namespace tessaril {
namespace {

// One pass: erasing in place would move the rest of the text at every occurrence.
std::string RemoveAll(std::string_view text, std::string_view what) {
  std::string kept;
  kept.reserve(text.size());
  for (size_t pos = text.find(what); pos != std::string_view::npos; pos = text.find(what)) {
    kept.append(text.substr(0, pos));
    text.remove_prefix(pos + what.size());
  }
  kept.append(text);
  return kept;
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
  const std::string_view view = line;
  Add(RemoveAll(view.substr(0, link), "<Txt>"), RemoveAll(view.substr(link), "<Link>"));
}

void Advertisements::Parse(std::string text) {
  text += "\r\n";
  // Walks the text once: cutting each line off the front would copy the rest every time.
  std::string_view rest = text;
  for (;;) {
    const size_t end = rest.find("\r\n");
    if (end == 0 || end == std::string_view::npos)
      break;
    AddLine(std::string(rest.substr(0, end)));
    rest.remove_prefix(end + 2);
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

bool LoadAdvertisements(const SettingsStore& settings, Advertisements& ads, AdLabel& label,
                        long deadline_ms) {
  return ShowAdvertisements(FetchAdvertisements(OnlineAddressOf(settings, kAdUrl), deadline_ms),
                            settings, ads, label);
}

std::optional<std::string> FetchAdvertisements(const std::string& url, long deadline_ms) {
  std::string body;
  CHttpGetClient client(deadline_ms);
  if (!client.Get(url, body))
    return std::nullopt;
  return body;
}

bool ShowAdvertisements(std::optional<std::string> text, const SettingsStore& settings,
                        Advertisements& ads, AdLabel& label) {
  if (!text) {
    ads.Add(kDefaultAdText, OnlineAddressOf(settings, kHomePage));
    return false;
  }
  ads.Parse(std::move(*text));
  ads.ShowFirst(label);
  return true;
}

}  // namespace tessaril
