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

// In the order of the files' columns.
constexpr ColumnValue kFutureValues[] = {
    Code,     Name,     EnglishName, Root,         RootName, Exchange, Currency, ContractMonth,
    Decimals, TickSize, TickValue,   ContractSize, Fraction, Listed,   Expiry,   MarginRate,
};
constexpr ColumnValue kOptionValues[] = {
    Code,      Name,      EnglishName,  Root,     RootName,      Underlying,
    CallOrPut, Strike,    Exchange,     Currency, ContractMonth, Decimals,
    TickSize,  TickValue, ContractSize, Listed,   Expiry,
};

bool IsOverseasFuture(const Product& p) {
  return p.market == Market::kOverseas && p.kind == ProductKind::kFuture;
}
bool IsOverseasOption(const Product& p) {
  return p.market == Market::kOverseas && p.IsOption();
}

MasterFile File(const protocol::MasterFileLayout& layout, std::span<const ColumnValue> values,
                bool (*lists)(const Product& p)) {
  if (layout.columns.size() != values.size()) {
    throw std::logic_error(
        std::string("master file columns and values disagree: ").append(layout.fileName));
  }
  return {layout.kind, layout.fileName, &layout, values, lists};
}

// In the order a request for all of them delivers them.
const std::vector<MasterFile>& Files() {
  static const std::vector<MasterFile> kFiles = {
      File(protocol::OverseasFutureFile(), kFutureValues, IsOverseasFuture),
      File(protocol::OverseasOptionFile(), kOptionValues, IsOverseasOption),
  };
  return kFiles;
}

}  // namespace

std::span<const MasterFile> AllMasterFiles() {
  return Files();
}

std::vector<const MasterFile*> MasterFilesOfKind(std::string_view kind) {
  std::vector<const MasterFile*> files;
  for (const MasterFile& f : Files()) {
    if (kind == "all" || kind == f.kind) files.push_back(&f);
  }
  return files;
}

const MasterFile* FindMasterFile(std::string_view fileName) {
  for (const MasterFile& f : Files()) {
    if (f.fileName == fileName) return &f;
  }
  return nullptr;
}

size_t RowWidth(const MasterFile& file) {
  return file.layout->RowWidth();
}

std::string MasterRow(const MasterFile& file, const Product& p) {
  std::string row;
  row.reserve(RowWidth(file));
  for (size_t i = 0; i < file.values.size(); ++i) {
    const size_t width = file.layout->columns[i].width;
    const std::string value = file.values[i](p);
    if (value.size() > width) {
      throw std::logic_error(std::string("master file column too narrow: ").append(value));
    }
    row.append(value).append(width - value.size(), ' ');
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
