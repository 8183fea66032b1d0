#pragma once

#include <string>

#include "base/settings_store.h"

namespace tessaril {

// The web addresses of the online service are configuration: section "Online" of the settings
// store. The defaults lie on the reserved ".example" domain, which never resolves, so a default
// installation fails at once and silently instead of waiting for a server that does not exist.
inline constexpr const char* kOnlineSection = "Online";

// One configured address: its key in section "Online" and the value used when the key is absent.
struct OnlineAddress {
  const char* key;
  const char* fallback;
};

// "关于我们": the service's home page; also the link of the default advertisement and of the about
// box.
inline constexpr OnlineAddress kHomePage{"HomePage", "https://www.korvanetessaril.example/"};
// The six service pages, in button order: "空号过滤", "号码实时查询", "短信验证码", "语音验证码",
// "营销短信", "国际验证码".
inline constexpr OnlineAddress kServicePage1{"ServicePage1",
                                             "https://www.korvanetessaril.example/status-filter"};
inline constexpr OnlineAddress kServicePage2{"ServicePage2",
                                             "https://www.korvanetessaril.example/live-query"};
inline constexpr OnlineAddress kServicePage3{"ServicePage3",
                                             "https://www.korvanetessaril.example/sms-code"};
inline constexpr OnlineAddress kServicePage4{"ServicePage4",
                                             "https://www.korvanetessaril.example/voice-code"};
inline constexpr OnlineAddress kServicePage5{"ServicePage5",
                                             "https://www.korvanetessaril.example/marketing-sms"};
inline constexpr OnlineAddress kServicePage6{"ServicePage6",
                                             "https://www.korvanetessaril.example/intl-code"};
// The update file with "<版本号>" and "<下载地址>"; http or https.
inline constexpr OnlineAddress kUpdateUrl{"UpdateUrl",
                                          "https://download.korvanetessaril.example/update.txt"};
// The advertisement file ad.txt, fetched by the plain-HTTP client.
inline constexpr OnlineAddress kAdUrl{"AdUrl", "http://www.korvanetessaril.example/ad.txt"};
// The notice page shown in the target list's place at start.
inline constexpr OnlineAddress kNoticeUrl{"NoticeUrl",
                                          "http://www.korvanetessaril.example/notice.html"};

// The configured value of `address`, or its default.
inline std::string ReadOnlineAddress(const SettingsStore& settings, const OnlineAddress& address) {
  return settings.GetString(kOnlineSection, address.key, address.fallback);
}

}  // namespace tessaril
