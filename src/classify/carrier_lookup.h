#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "classify/carrier_prefixes.h"

namespace tessaril {

// The carrier tests of one set of prefix texts, answered from direct tables: the answer for
// every beginning of two or three digits is worked out once by the tests themselves, so that an
// operation over a whole list looks each number up instead of searching the texts. An entry the
// tables cannot answer (no digits at its start, white space to trim) goes to the tests.
// Holds a reference to `prefixes`, which must outlive it unchanged.
class CarrierLookup {
 public:
  explicit CarrierLookup(const CarrierPrefixes& prefixes);

  // The same answers as the functions of the same names in carrier_prefixes.h.
  bool IsMobileNumber(std::string_view number) const;
  bool IsChinaMobileNumber(std::string_view number) const { return Has(number, kMobile); }
  bool IsChinaUnicomNumber(std::string_view number) const { return Has(number, kUnicom); }
  bool IsChinaTelecomNumber(std::string_view number) const { return Has(number, kTelecom); }
  CarrierClass Classify(std::string_view number) const;
  // The tests of the eleven digits of a value below 10^11.
  bool IsMobileValue(std::uint64_t value) const {
    return beginnings_[static_cast<std::size_t>(value / 1000000000)];
  }
  bool IsChinaMobileValue(std::uint64_t value) const { return HasValue(value, kMobile); }
  bool IsChinaUnicomValue(std::uint64_t value) const { return HasValue(value, kUnicom); }
  bool IsChinaTelecomValue(std::uint64_t value) const { return HasValue(value, kTelecom); }
  // Classify of the eleven digits of a value below 10^11.
  CarrierClass ClassifyNumber(std::uint64_t value) const {
    return classes_[static_cast<std::size_t>(value / 100000000)];
  }

 private:
  static constexpr std::uint8_t kMobile = 1, kUnicom = 2, kTelecom = 4;

  // The bits of the carrier texts holding the entry's first three characters, or -1 when the
  // entry does not begin with three digits.
  int BitsOf(std::string_view number) const;
  bool Has(std::string_view number, std::uint8_t bit) const;
  bool HasValue(std::uint64_t value, std::uint8_t bit) const {
    return (carriers_[static_cast<std::size_t>(value / 100000000)] & bit) != 0;
  }
  // The class of a carrier bits entry: the first carrier that claims the beginning.
  static CarrierClass ClassOf(std::uint8_t bits) {
    if (bits & kMobile)
      return CarrierClass::Mobile;
    if (bits & kUnicom)
      return CarrierClass::Unicom;
    if (bits & kTelecom)
      return CarrierClass::Telecom;
    return CarrierClass::Other;
  }

  const CarrierPrefixes& prefixes_;
  std::array<std::uint8_t, 1000> carriers_{};  // by the first three digits
  std::array<CarrierClass, 1000> classes_{};   // ClassOf each of them
  std::array<bool, 100> beginnings_{};         // by the first two digits
};

}  // namespace tessaril
