#include "sandbox/services/ServiceTable.h"

namespace zqk::sandbox {
namespace {

using enum ServiceKind;

constexpr ServiceEntry kServices[] = {
    // Domestic futures and options.
    {"g11002.DQ0622&", kTr, nullptr},
    {"g11002.DQ0107&", kTr, nullptr},
    {"g11002.DQ0104&", kTr, nullptr},
    {"g11002.DQ0321&", kTr, nullptr},
    {"g11002.DQ0110&", kTr, nullptr},
    {"g11002.CQ0101&", kTr, nullptr},
    {"g11002.DQ0242&", kTr, nullptr},
    {"g11002.DQ1305&", kTr, nullptr},
    {"g11002.DQ1306&", kTr, nullptr},
    {"g11002.DQ1303&", kTr, nullptr},
    {"s20001", kFid, nullptr},
    {"g12001.DO1601&", kOrder, nullptr},
    {"g12001.DO1901&", kOrder, nullptr},
    {"g12001.DO1701&", kOrder, nullptr},
    {"g12001.DO2201&", kOrder, nullptr},
    {"g12001.DO2101&", kOrder, nullptr},
    {"g12001.DO2001&", kOrder, nullptr},
    // Overseas futures.
    {"g11004.AQ0101%", kTr, nullptr},
    {"g11004.AQ0605%", kTr, nullptr},
    {"g11004.AQ0207%", kTr, nullptr},
    {"g11004.AQ0401%", kTr, nullptr},
    {"g11004.AQ0408%", kTr, nullptr},
    {"o44005", kTr, nullptr},
    {"o44010", kTr, nullptr},
    {"o44011", kTr, nullptr},
    {"o51100", kTr, nullptr},
    {"o51200", kTr, nullptr},
    {"o51211", kTr, nullptr},
    {"n51003", kTr, nullptr},
    {"n51006", kTr, nullptr},
    {"l41600", kTr, nullptr},
    {"l41601", kTr, nullptr},
    {"v90003", kTr, nullptr},
    {"o51000", kFid, nullptr},
    {"g12003.AO0401%", kOrder, nullptr},
    {"g12003.AO0402%", kOrder, nullptr},
    {"g12003.AO0403%", kOrder, nullptr},
    // FX margin.
    {"g11004.AQ0901%", kTr, nullptr},
    {"x00001", kFid, nullptr},
    {"g12003.AO0501%", kOrder, nullptr},
    {"g12003.AO0502%", kOrder, nullptr},
    {"g12003.AO0503%", kOrder, nullptr},
};

}  // namespace

const ServiceEntry* FindService(std::string_view code) {
  for (const ServiceEntry& entry : kServices) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace zqk::sandbox
