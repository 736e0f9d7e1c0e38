#include "sandbox/masters/MasterFiles.h"

#include <stdexcept>

#include "sandbox/market/PriceFormat.h"

namespace zqk::sandbox {
namespace {

using market::Product;
using market::ProductKind;

constexpr std::string_view kMonthLetters = "FGHJKMNQUVXZ";

std::string Code(const Product& p) {
  return p.code;
}
std::string Name(const Product& p) {
  return p.name;
}
std::string EnglishName(const Product& p) {
  return p.englishName;
}
std::string Root(const Product& p) {
  return p.root;
}
std::string RootName(const Product& p) {
  return p.rootName;
}
std::string Underlying(const Product& p) {
  return p.underlying;
}
std::string CallOrPut(const Product& p) {
  return p.kind == ProductKind::kCall ? "C" : "P";
}
std::string Strike(const Product& p) {
  return market::FormatDecimal(p, p.strike);
}
std::string Exchange(const Product& p) {
  return p.exchange;
}
std::string Currency(const Product& p) {
  return p.currency;
}

// YYYYMM of the future's code (an option's underlying): root, month letter,
// two-digit year.
std::string ContractMonth(const Product& p) {
  const std::string& future = p.IsOption() ? p.underlying : p.code;
  const size_t month =
      future.size() < 3 ? std::string_view::npos : kMonthLetters.find(future[future.size() - 3]);
  if (month == std::string_view::npos) {
    throw std::logic_error(std::string("no contract month in ").append(future));
  }
  // Appended piece by piece: g++ 12 at -O3 misreads `"20" + string` as an
  // overlapping copy (-Wrestrict).
  std::string text("20");
  text.append(future, future.size() - 2, 2);
  if (month < 9) text += '0';
  return text.append(std::to_string(month + 1));
}

std::string Decimals(const Product& p) {
  return std::to_string(p.decimals);
}
std::string TickSize(const Product& p) {
  return market::FormatDecimal(p, p.tick);
}
// Currency of one tick of one contract: two decimals, more where the tick
// needs them (15.625 for a half of a 32nd of the 10-year note).
std::string TickValue(const Product& p) {
  std::string text = market::FormatAmount(static_cast<double>(p.tick) * p.RawValue(), 4);
  while (text.size() > text.find('.') + 3 && text.back() == '0') text.pop_back();
  return text;
}
std::string ContractSize(const Product& p) {
  return market::FormatAmount(p.multiplier, 0);
}
// 32 or 8 for the products quoted in fractions, 0 for decimal quotes.
std::string Fraction(const Product& p) {
  return std::to_string(p.fraction);
}
std::string Listed(const Product& p) {
  return std::to_string(p.listed);
}
std::string Expiry(const Product& p) {
  return std::to_string(p.expiry);
}
// Initial margin as a percentage of the contract's value.
std::string MarginRate(const Product& p) {
  return market::FormatAmount(p.marginRate * 100, 2);
}

constexpr MasterColumn kFutureColumns[] = {
    {"종목코드", 16, Code},        {"종목명", 40, Name},         {"영문종목명", 40, EnglishName},
    {"상품코드", 8, Root},         {"상품명", 20, RootName},     {"거래소", 8, Exchange},
    {"통화", 3, Currency},         {"결제월", 6, ContractMonth}, {"소수점자리수", 1, Decimals},
    {"틱크기", 12, TickSize},      {"틱가치", 12, TickValue},    {"계약단위", 12, ContractSize},
    {"가격표시분모", 2, Fraction}, {"상장일", 8, Listed},        {"최종거래일", 8, Expiry},
    {"증거금률", 5, MarginRate},
};

constexpr MasterColumn kOptionColumns[] = {
    {"종목코드", 16, Code},     {"종목명", 40, Name},         {"영문종목명", 40, EnglishName},
    {"상품코드", 8, Root},      {"상품명", 20, RootName},     {"기초자산코드", 16, Underlying},
    {"콜풋구분", 1, CallOrPut}, {"행사가격", 12, Strike},     {"거래소", 8, Exchange},
    {"통화", 3, Currency},      {"결제월", 6, ContractMonth}, {"소수점자리수", 1, Decimals},
    {"틱크기", 12, TickSize},   {"틱가치", 12, TickValue},    {"계약단위", 12, ContractSize},
    {"상장일", 8, Listed},      {"최종거래일", 8, Expiry},
};

bool IsOverseasFuture(const Product& p) {
  return p.market == Market::kOverseas && p.kind == ProductKind::kFuture;
}
bool IsOverseasOption(const Product& p) {
  return p.market == Market::kOverseas && p.IsOption();
}

constexpr MasterFile kFiles[] = {
    {"futures", "ovs_future.mst", kFutureColumns, IsOverseasFuture},
    {"option", "ovs_option.mst", kOptionColumns, IsOverseasOption},
};

}  // namespace

std::span<const MasterFile> AllMasterFiles() {
  return kFiles;
}

std::vector<const MasterFile*> MasterFilesOfKind(std::string_view kind) {
  std::vector<const MasterFile*> files;
  for (const MasterFile& f : kFiles) {
    if (kind == "all" || kind == f.kind) files.push_back(&f);
  }
  return files;
}

const MasterFile* FindMasterFile(std::string_view fileName) {
  for (const MasterFile& f : kFiles) {
    if (f.fileName == fileName) return &f;
  }
  return nullptr;
}

size_t RowWidth(const MasterFile& file) {
  size_t width = 2;  // CR LF
  for (const MasterColumn& c : file.columns) width += c.width;
  return width;
}

std::string MasterRow(const MasterFile& file, const Product& p) {
  std::string row;
  row.reserve(RowWidth(file));
  for (const MasterColumn& c : file.columns) {
    const std::string value = c.value(p);
    if (value.size() > c.width) {
      throw std::logic_error(std::string("master file column too narrow: ").append(value));
    }
    row.append(value).append(c.width - value.size(), ' ');
  }
  return row.append("\r\n");
}

std::string MasterFileContent(const MasterFile& file, const market::ProductUniverse& universe) {
  std::string content;
  content.reserve(RowWidth(file) * MasterRowCount(file, universe));
  for (const Product& p : universe.All()) {
    if (file.lists(p)) content += MasterRow(file, p);
  }
  return content;
}

size_t MasterRowCount(const MasterFile& file, const market::ProductUniverse& universe) {
  size_t rows = 0;
  for (const Product& p : universe.All()) rows += file.lists(p) ? 1 : 0;
  return rows;
}

}  // namespace zqk::sandbox
