#pragma once

#include <optional>
#include <string>

#include "interface/frontend.h"
#include "platform/app_info.h"
#include "platform/settings_store.h"

namespace tessaril {

// What the notice view knows besides its page: the version this program is, and whether the
// update check has just handed a download address on.
struct NoticeState {
  float current_version = kApplicationVersionNumber;
  bool download_pending = false;
};

// The notice view finished a document: after a download was handed on, it goes back to its
// notice page. True when it must navigate to the notice page now.
bool NoticeDocumentComplete(NoticeState& notice);

// The two values of the update file; each empty when its tag pair is missing.
struct UpdateFile {
  std::string version;
  std::string download_address;
};

// Reads "<版本号>...</版本号>" and "<下载地址>...</下载地址>": only the first opening tag of each
// counts, and its closing tag must follow it.
UpdateFile ParseUpdateFile(const std::string& text);

// The leading decimal number of `text` ("8.1abc" gives 8.1); empty or non-numeric text gives 0.
double LeadingDecimal(const std::string& text);

// Reads the update file named by the "Online" key UpdateUrl (http or https; https is verified)
// and, when the published version is more than 0.05 above the current one, asks whether to
// download; Yes hands the download address (only an http or https one) to the desktop and marks
// the download pending. A verbose check says "您当前使用的是最新版本" when the file was read and
// offers nothing newer. Every network failure is silent. True when a download was handed on.
// The fetch ends within `deadline_ms`.
inline constexpr long kUpdateDeadlineMs = 30000;
bool CheckForUpdate(const SettingsStore& settings, Frontend& frontend, NoticeState& notice,
                    bool verbose, long deadline_ms = kUpdateDeadlineMs);

// The two halves of the check, so that a window can fetch away from its own thread: the update
// file's text (nothing on any failure), then what the check does with it.
std::optional<std::string> FetchUpdateFile(const std::string& url, long deadline_ms);
bool OfferUpdate(const std::string& text, Frontend& frontend, NoticeState& notice, bool verbose);

}  // namespace tessaril
