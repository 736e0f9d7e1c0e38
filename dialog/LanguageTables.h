#pragma once
// The captions and list items that the KOR/ENG switch sets, as (Korean,
// English) pairs. A pair may hold the same Korean text twice: those captions
// stay Korean in English mode.

#include <span>
#include <string_view>

#include "dialog/ControlId.h"

namespace zqk {

struct CaptionPair {
  ControlId id;
  std::string_view korean;  // CP949
  std::string_view english;

  std::string_view In(bool isKorean) const { return isKorean ? korean : english; }
};

// Every caption a switch sets, in the order it sets them.
std::span<const CaptionPair> LanguageCaptions();

// The caption pair of a control; nullptr for a control no switch touches.
const CaptionPair* FindCaption(ControlId id);

struct LanguageList {
  ControlId id;
  std::span<const std::string_view> korean;
  std::span<const std::string_view> english;

  std::span<const std::string_view> In(bool isKorean) const { return isKorean ? korean : english; }
};

// The lists every switch empties and refills, in order: buy/sell 1047, price
// condition 1048 (its two common items only), strategy 1053.
std::span<const LanguageList> LanguageLists();

// The six order kinds of the domestic market (list 1058), in list order:
// New, Amend, Cancel, CME New, CME Amend, CME Cancel.
const LanguageList& DomesticOrderKinds();

}  // namespace zqk
