#include "classify/carrier_lookup.h"

#include "platform/text.h"

namespace tessaril {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

CarrierLookup::CarrierLookup(const CarrierPrefixes& prefixes) : prefixes_(prefixes) {
  char text[11] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'};
  for (int p = 0; p < 1000; ++p) {
    text[0] = static_cast<char>('0' + p / 100);
    text[1] = static_cast<char>('0' + p / 10 % 10);
    text[2] = static_cast<char>('0' + p % 10);
    const std::string_view number(text, 11);
    std::uint8_t bits = 0;
    if (tessaril::IsChinaMobileNumber(prefixes, number))
      bits |= kMobile;
    if (tessaril::IsChinaUnicomNumber(prefixes, number))
      bits |= kUnicom;
    if (tessaril::IsChinaTelecomNumber(prefixes, number))
      bits |= kTelecom;
    carriers_[static_cast<std::size_t>(p)] = bits;
    classes_[static_cast<std::size_t>(p)] = ClassOf(bits);
    if (p % 10 == 0)
      beginnings_[static_cast<std::size_t>(p / 10)] = tessaril::IsMobileNumber(prefixes, number);
  }
}

int CarrierLookup::BitsOf(std::string_view number) const {
  // Three digits at the start: trimming can only shorten the end, and the text keeps at least
  // these three characters.
  if (number.size() < 3 || !IsDigit(number[0]) || !IsDigit(number[1]) || !IsDigit(number[2]))
    return -1;
  return carriers_[static_cast<std::size_t>((number[0] - '0') * 100 + (number[1] - '0') * 10 +
                                            (number[2] - '0'))];
}

bool CarrierLookup::Has(std::string_view number, std::uint8_t bit) const {
  const int bits = BitsOf(number);
  if (bits >= 0)
    return (bits & bit) != 0;
  switch (bit) {
    case kMobile:
      return tessaril::IsChinaMobileNumber(prefixes_, number);
    case kUnicom:
      return tessaril::IsChinaUnicomNumber(prefixes_, number);
    default:
      return tessaril::IsChinaTelecomNumber(prefixes_, number);
  }
}

bool CarrierLookup::IsMobileNumber(std::string_view number) const {
  // Eleven characters from a digit to a character that is not white space: trimming leaves it
  // as it is.
  if (number.size() == 11 && IsDigit(number[0]) && IsDigit(number[1]) && !IsSpaceByte(number[10])) {
    return beginnings_[static_cast<std::size_t>((number[0] - '0') * 10 + (number[1] - '0'))];
  }
  return tessaril::IsMobileNumber(prefixes_, number);
}

CarrierClass CarrierLookup::Classify(std::string_view number) const {
  const int bits = BitsOf(number);
  if (bits < 0)
    return ClassifyCarrier(prefixes_, number);
  return ClassOf(static_cast<std::uint8_t>(bits));
}

}  // namespace tessaril
