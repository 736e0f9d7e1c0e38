#include "sandbox/Services.h"

#include <utility>

namespace zqk::sandbox {
namespace {

using enum ServiceKind;

constexpr std::pair<std::string_view, ServiceKind> kServices[] = {
    // Domestic futures and options.
    {"g11002.DQ0622&", kTr},
    {"g11002.DQ0107&", kTr},
    {"g11002.DQ0104&", kTr},
    {"g11002.DQ0321&", kTr},
    {"g11002.DQ0110&", kTr},
    {"g11002.CQ0101&", kTr},
    {"g11002.DQ0242&", kTr},
    {"g11002.DQ1305&", kTr},
    {"g11002.DQ1306&", kTr},
    {"g11002.DQ1303&", kTr},
    {"s20001", kFid},
    {"g12001.DO1601&", kOrder},
    {"g12001.DO1901&", kOrder},
    {"g12001.DO1701&", kOrder},
    {"g12001.DO2201&", kOrder},
    {"g12001.DO2101&", kOrder},
    {"g12001.DO2001&", kOrder},
    // Overseas futures.
    {"g11004.AQ0101%", kTr},
    {"g11004.AQ0605%", kTr},
    {"g11004.AQ0207%", kTr},
    {"g11004.AQ0401%", kTr},
    {"g11004.AQ0408%", kTr},
    {"o44005", kTr},
    {"o44010", kTr},
    {"o44011", kTr},
    {"o51100", kTr},
    {"o51200", kTr},
    {"o51211", kTr},
    {"n51003", kTr},
    {"n51006", kTr},
    {"l41600", kTr},
    {"l41601", kTr},
    {"v90003", kTr},
    {"o51000", kFid},
    {"g12003.AO0401%", kOrder},
    {"g12003.AO0402%", kOrder},
    {"g12003.AO0403%", kOrder},
    // FX margin.
    {"g11004.AQ0901%", kTr},
    {"x00001", kFid},
    {"g12003.AO0501%", kOrder},
    {"g12003.AO0502%", kOrder},
    {"g12003.AO0503%", kOrder},
};

}  // namespace

std::optional<ServiceKind> FindService(std::string_view code) {
  for (const auto& [name, kind] : kServices) {
    if (name == code) return kind;
  }
  return std::nullopt;
}

}  // namespace zqk::sandbox
