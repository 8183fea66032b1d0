#pragma once

#include <optional>
#include <string>
#include <vector>

#include "online/http_get_client.h"
#include "platform/settings_store.h"

namespace tessaril {

// The hyperlink label at the foot of the main window, as the advertisement line sees it.
class AdLabel {
 public:
  virtual ~AdLabel() = default;
  virtual void SetLink(const std::string& link) = 0;
  virtual void SetText(const std::string& text) = 0;
};

// The contact line shown before any advertisement: the label's own text, and the default
// advertisement when ad.txt cannot be fetched.
inline constexpr const char* kDefaultAdText = "广告投放及代理合作热线：400-555-0186";

// The advertisement line: parallel lists of texts and links, and the index of the one shown.
class Advertisements {
 public:
  // Adds the advertisements of ad.txt's text: one per line, up to the first empty line.
  void Parse(std::string text);
  // Adds one line "<Txt>text<Link>link" (or a text without a link).
  void AddLine(const std::string& line);
  void Add(std::string text, std::string link);

  // Shows the first advertisement, when there is one.
  void ShowFirst(AdLabel& label) const;
  // A tick of the 20-second timer: the next advertisement, wrapping to the first.
  void Rotate(AdLabel& label);

  const std::vector<std::string>& Texts() const { return texts_; }
  const std::vector<std::string>& Links() const { return links_; }
  int Index() const { return index_; }
  void Clear();

 private:
  std::vector<std::string> texts_;
  std::vector<std::string> links_;
  int index_ = 0;
};

// Fetches ad.txt (the "Online" key AdUrl) with a new CHttpGetClient and fills `ads`; shows the
// first entry on `label`. When the fetch fails, the default advertisement (the contact line,
// linking to the home page) is added and the label keeps its text. True when ad.txt was fetched.
bool LoadAdvertisements(const SettingsStore& settings, Advertisements& ads, AdLabel& label,
                        long deadline_ms = CHttpGetClient::kDeadlineMs);

// The two halves of the load, so that a window can fetch away from its own thread: ad.txt's
// text (nothing when the fetch failed), then what the load does with it.
std::optional<std::string> FetchAdvertisements(const std::string& url, long deadline_ms);
bool ShowAdvertisements(std::optional<std::string> text, const SettingsStore& settings,
                        Advertisements& ads, AdLabel& label);

}  // namespace tessaril
