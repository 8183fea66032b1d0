#include "classify/carrier_prefixes.h"

#include "interface/frontend.h"
#include "platform/settings_store.h"
#include "platform/text.h"

namespace tessaril {
namespace {

constexpr const char* kSection = "Setting";
constexpr const char* kNumberKey = "NumberStr1";
constexpr const char* kMobileKey = "MobileStr_New2";
constexpr const char* kUnicomKey = "CUnicomStr_New1";
constexpr const char* kTelecomKey = "DianXinStr_New1";

bool HasPrefixIn(std::string_view number, size_t width, size_t exact_length,
                 const std::string& list) {
  std::string_view trimmed = TrimNumberText(number);
  if (exact_length != 0 ? trimmed.size() != exact_length : trimmed.size() < width)
    return false;
  return list.find(trimmed.substr(0, width)) != std::string::npos;
}

}  // namespace

CarrierPrefixTexts SettingsDialogTexts(const SettingsStore& settings) {
  // An absent key shows the list in force, so that confirming the dialog unedited changes
  // nothing. (An older, shorter set shown here would be stored by that confirmation, and 16x,
  // 17x and 19x numbers would stop being mobile numbers.)
  const CarrierPrefixes in_force = LoadCarrierPrefixes(settings);
  return {in_force.number_beginnings, in_force.mobile, in_force.unicom, in_force.telecom};
}

CarrierPrefixes LoadCarrierPrefixes(const SettingsStore& settings) {
  const CarrierPrefixes defaults;
  CarrierPrefixes loaded;
  loaded.mobile = settings.GetString(kSection, kMobileKey, defaults.mobile);
  loaded.number_beginnings = settings.GetString(kSection, kNumberKey, defaults.number_beginnings);
  loaded.unicom = settings.GetString(kSection, kUnicomKey, defaults.unicom);
  loaded.telecom = settings.GetString(kSection, kTelecomKey, defaults.telecom);
  return loaded;
}

bool IsMobileNumber(const CarrierPrefixes& prefixes, std::string_view number) {
  return HasPrefixIn(number, 2, 11, prefixes.number_beginnings);
}

bool IsChinaMobileNumber(const CarrierPrefixes& prefixes, std::string_view number) {
  return HasPrefixIn(number, 3, 0, prefixes.mobile);
}

bool IsChinaUnicomNumber(const CarrierPrefixes& prefixes, std::string_view number) {
  return HasPrefixIn(number, 3, 0, prefixes.unicom);
}

bool IsChinaTelecomNumber(const CarrierPrefixes& prefixes, std::string_view number) {
  return HasPrefixIn(number, 3, 0, prefixes.telecom);
}

CarrierClass ClassifyCarrier(const CarrierPrefixes& prefixes, std::string_view number) {
  if (IsChinaMobileNumber(prefixes, number))
    return CarrierClass::Mobile;
  if (IsChinaUnicomNumber(prefixes, number))
    return CarrierClass::Unicom;
  if (IsChinaTelecomNumber(prefixes, number))
    return CarrierClass::Telecom;
  return CarrierClass::Other;
}

void RunSettingsCommand(SettingsStore& settings, CarrierPrefixes& prefixes, Frontend& frontend) {
  const CarrierPrefixTexts shown = SettingsDialogTexts(settings);
  std::optional<CarrierPrefixTexts> confirmed = frontend.Ask(shown);
  if (!confirmed)
    return;
  settings.SetString(kSection, kMobileKey, confirmed->mobile);
  settings.SetString(kSection, kNumberKey, confirmed->number_beginnings);
  settings.SetString(kSection, kUnicomKey, confirmed->unicom);
  settings.SetString(kSection, kTelecomKey, confirmed->telecom);
  prefixes = LoadCarrierPrefixes(settings);
}

}  // namespace tessaril
