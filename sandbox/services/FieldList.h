#pragma once
// The field list of a FID request: three-digit field numbers written one
// after another ("000001002010"). The reply carries the fields the list
// names; an empty list asks for all of them. A list whose length is not a
// multiple of three, or that holds anything but digits or a number beyond
// the service's fields, is refused.

#include <span>
#include <string_view>
#include <vector>

#include "protocol/Layout.h"
#include "sandbox/events/EventData.h"

namespace zqk::sandbox {

// Which of `count` numbered fields the list asks for.
std::vector<bool> SelectedFields(std::string_view list, size_t count);

// Removes from `row` every field that no selected field of the record's
// layout (field number = index) names. A name listed twice stays if either
// is selected.
void KeepSelected(EventData::Row& row, std::span<const protocol::Field> fields,
                  const std::vector<bool>& selected);

}  // namespace zqk::sandbox
