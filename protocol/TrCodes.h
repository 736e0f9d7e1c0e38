#pragma once
// TR codes that the console's requests, order form and reply decoders share.
// Compared exactly and case-sensitively; CP949 like every text of the program.

#include <array>
#include <optional>
#include <string_view>

#include "protocol/Market.h"

namespace zqk::tr {

// Queries and their replies.
inline constexpr std::string_view kAccountList = "g11004.AQ0101%";
inline constexpr std::string_view kDomesticProducts = "g11002.DQ0622&";
inline constexpr std::string_view kDomesticSymbol = "s20001";
inline constexpr std::string_view kDomesticFills = "g11002.DQ0107&";
inline constexpr std::string_view kDomesticOpenOrders = "g11002.DQ0104&";
inline constexpr std::string_view kOverseasDeposit = "g11004.AQ0605%";
inline constexpr std::string_view kOverseasPrice = "o51000";
inline constexpr std::string_view kOverseasSymbolService = "o51211";
inline constexpr std::string_view kFxAssets = "g11004.AQ0901%";
inline constexpr std::string_view kFxMaster = "x00001";

// Orders.
inline constexpr std::string_view kDomesticNewOrder = "g12001.DO1601&";
inline constexpr std::string_view kDomesticAmendOrder = "g12001.DO1901&";
inline constexpr std::string_view kDomesticCancelOrder = "g12001.DO1701&";
inline constexpr std::string_view kDomesticCmeNewOrder = "g12001.DO2201&";
inline constexpr std::string_view kDomesticCmeCancelOrder = "g12001.DO2001&";
inline constexpr std::string_view kDomesticCmeAmendOrder = "g12001.DO2101&";
inline constexpr std::string_view kOverseasNewOrder = "g12003.AO0401%";
inline constexpr std::string_view kOverseasAmendOrder = "g12003.AO0402%";
inline constexpr std::string_view kOverseasCancelOrder = "g12003.AO0403%";
inline constexpr std::string_view kFxNewOrder = "g12003.AO0501%";
inline constexpr std::string_view kFxAmendOrder = "g12003.AO0502%";
inline constexpr std::string_view kFxCancelOrder = "g12003.AO0503%";

// Every named TR code above, once.
inline constexpr std::array<std::string_view, 22> kAll{kAccountList,
                                                       kDomesticProducts,
                                                       kDomesticSymbol,
                                                       kDomesticNewOrder,
                                                       kDomesticAmendOrder,
                                                       kDomesticCancelOrder,
                                                       kDomesticCmeNewOrder,
                                                       kDomesticCmeCancelOrder,
                                                       kDomesticCmeAmendOrder,
                                                       kDomesticFills,
                                                       kDomesticOpenOrders,
                                                       kOverseasDeposit,
                                                       kOverseasPrice,
                                                       kOverseasNewOrder,
                                                       kOverseasAmendOrder,
                                                       kOverseasCancelOrder,
                                                       kOverseasSymbolService,
                                                       kFxAssets,
                                                       kFxMaster,
                                                       kFxNewOrder,
                                                       kFxAmendOrder,
                                                       kFxCancelOrder};

}  // namespace zqk::tr

namespace zqk {

// Order kinds by their index in the order-kind list 1058. The CME kinds exist
// in the domestic market only.
enum class OrderKind { kNew = 0, kAmend, kCancel, kCmeNew, kCmeAmend, kCmeCancel };
inline constexpr int kOrderKindCount = 6;

// The order kind at a list index of 1058; none outside 0 to 5 (no selection).
std::optional<OrderKind> OrderKindAt(int listIndex);

// The TR code under which an order of this kind is sent in this market; none
// for a CME kind outside the domestic market.
std::optional<std::string_view> OrderTrCode(Market market, OrderKind kind);

}  // namespace zqk
