#pragma once

#include <string>

#include "platform/settings_store.h"

namespace tessaril {

// The web addresses of the online service. They are configuration: each is read from section
// "Online" of the settings store, with a default on the service's reserved domain for a store
// that does not name it.
struct OnlineAddress {
  const char* key;
  const char* fallback;
};

inline constexpr const char* kOnlineSection = "Online";

// "关于我们": the service's home page.
inline constexpr OnlineAddress kHomePage{"HomePage", "https://www.korvane.example/"};
// The six service buttons of the main window.
inline constexpr OnlineAddress kServicePage1{"ServicePage1",  // 1059 "空号过滤"
                                             "https://www.korvane.example/kong.html"};
inline constexpr OnlineAddress kServicePage2{"ServicePage2",  // 1061 "号码实时查询"
                                             "https://www.korvane.example/query.html"};
inline constexpr OnlineAddress kServicePage3{"ServicePage3",  // 1062 "短信验证码"
                                             "https://www.korvane.example/smscode.html"};
inline constexpr OnlineAddress kServicePage4{"ServicePage4",  // 1063 "语音验证码"
                                             "https://www.korvane.example/voicecode.html"};
inline constexpr OnlineAddress kServicePage5{"ServicePage5",  // 1064 "营销短信"
                                             "https://www.korvane.example/marketing.html"};
inline constexpr OnlineAddress kServicePage6{"ServicePage6",  // 1077 "国际验证码"
                                             "https://www.korvane.example/intlcode.html"};
// The update file, the advertisement file and the notice page.
inline constexpr OnlineAddress kUpdateUrl{"UpdateUrl", "https://www.korvane.example/update.txt"};
inline constexpr OnlineAddress kAdUrl{"AdUrl", "http://www.korvane.example/ad.txt"};
inline constexpr OnlineAddress kNoticeUrl{"NoticeUrl", "https://www.korvane.example/notice.html"};

inline std::string OnlineAddressOf(const SettingsStore& settings, const OnlineAddress& address) {
  return settings.GetString(kOnlineSection, address.key, address.fallback);
}

}  // namespace tessaril
