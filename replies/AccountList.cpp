#include "replies/AccountList.h"

#include <algorithm>
#include <string>

#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"
#include "text/DecimalText.h"

namespace zqk::reply {
namespace {

// A field of the list: where it starts in its stretch, and its width.
struct Slot {
  size_t offset = 0;
  size_t width = 0;
};

Slot SlotOf(std::span<const protocol::Field> fields, std::string_view name) {
  size_t offset = 0;
  for (const protocol::Field& f : fields) {
    if (f.name == name) return {offset, f.width};
    offset += f.width;
  }
  return {};
}

// The list's layout: its header holds the count, then a record per account.
struct ListLayout {
  ListLayout() {
    const protocol::BlockLayout& block = *protocol::ReplyOf(tr::kAccountList).block;
    count = SlotOf(block.header, block.countField);
    records = block.HeaderWidth();
    recordWidth = block.RowWidth();
    account = SlotOf(block.row, field::kAccountNumber);
    name = SlotOf(block.row, field::kAccountName);
    code = SlotOf(block.row, field::kAccountKind);
  }
  Slot count;
  size_t records = 0;  // where the first record starts
  size_t recordWidth = 0;
  Slot account;
  Slot name;
  Slot code;
};

const ListLayout& Layout() {
  static const ListLayout layout;
  return layout;
}

// Up to `width` bytes of `data` from `offset`; empty past its end.
std::string_view Cut(std::string_view data, size_t offset, size_t width) {
  return offset < data.size() ? data.substr(offset, width) : std::string_view();
}

}  // namespace

AccountListData ReadAccountList(std::string_view data) {
  const ListLayout& l = Layout();
  AccountListData list;
  list.announced = LeadingInt32(Cut(data, l.count.offset, l.count.width));
  // The loop ends with the data, whatever the count field claims.
  for (size_t k = 0; k < static_cast<size_t>(std::max(list.announced, 0)); ++k) {
    const size_t at = l.records + k * l.recordWidth;
    if (at >= data.size()) break;
    list.records.push_back({Cut(data, at + l.account.offset, l.account.width),
                            Cut(data, at + l.name.offset, l.name.width),
                            Cut(data, at + l.code.offset, l.code.width)});
    if (data.size() - at < l.recordWidth) {
      list.lastCutOff = true;
      break;
    }
  }
  return list;
}

void AccountListBlock::Decode(const Reply& r) const {
  r.out.Log("계좌정보 수신완료!!!");
  const std::string data = r.agent.GetLastData();
  const AccountListData list = ReadAccountList(data);
  for (const AccountListRecord& a : list.records) {
    r.out.Log(Join({"[", a.account, "][", a.name, "][", a.code, "]"}));
  }
  const size_t complete = list.records.size() - (list.lastCutOff ? 1 : 0);
  if (list.announced <= 0 || complete == static_cast<size_t>(list.announced)) return;
  const std::string announced = std::to_string(list.announced);
  const std::string bytes = std::to_string(data.size());
  const std::string whole = std::to_string(complete);
  if (r.out.IsKorean()) {
    r.out.Log(
        Join({"계좌정보 건수[", announced, "] 중 자료[", bytes, "바이트]에 온전한 것은 [", whole,
              "]건입니다", list.lastCutOff ? ", 잘린 마지막 건은 온 그대로 표시했습니다" : ""}));
  } else {
    r.out.Log(
        Join({"Account list: [", whole, "] of [", announced, "] records complete in its [", bytes,
              "] bytes", list.lastCutOff ? "; the cut-off last one is shown as it came" : ""}));
  }
}

}  // namespace zqk::reply
