#pragma once
// The broker's TR and FID codes, each written once: the console's requests,
// order form and decoders, the sandbox's services and order desk, and the
// tables of protocol/ name a code by these constants. Compared exactly and
// case-sensitively; CP949 like every text of the program.

#include <array>
#include <string_view>

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
inline constexpr std::string_view kDomesticPasswordCheck = "g11002.DQ0321&";
inline constexpr std::string_view kDomesticHolding = "g11002.DQ0110&";
inline constexpr std::string_view kUserAccounts = "g11002.CQ0101&";
inline constexpr std::string_view kDomesticDeposit = "g11002.DQ0242&";
inline constexpr std::string_view kDomesticFuturesValuation = "g11002.DQ1305&";
inline constexpr std::string_view kDomesticOptionsValuation = "g11002.DQ1306&";
inline constexpr std::string_view kDomesticSettlement = "g11002.DQ1303&";
inline constexpr std::string_view kOverseasPasswordCheck = "g11004.AQ0207%";
inline constexpr std::string_view kOverseasOpenOrders = "g11004.AQ0401%";
inline constexpr std::string_view kOverseasOrderHistory = "g11004.AQ0408%";
inline constexpr std::string_view kRecentTrades = "o44005";
inline constexpr std::string_view kBars = "o44010";
inline constexpr std::string_view kServerTime = "o44011";
inline constexpr std::string_view kOverseasProducts = "o51100";
inline constexpr std::string_view kMinuteBars = "o51200";
inline constexpr std::string_view kNewsTitles = "n51003";
inline constexpr std::string_view kNewsBody = "n51006";
inline constexpr std::string_view kItemPrice = "l41600";
inline constexpr std::string_view kItemBoard = "l41601";
inline constexpr std::string_view kChartData = "v90003";

// Master files (RequestMasterFile): the replies that deliver them.
inline constexpr std::string_view kMasterFile = "v90001";

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

// The 22 codes that the console holds as constants of its own, once.
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
