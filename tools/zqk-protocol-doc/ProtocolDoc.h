#pragma once
// The parts of docs/sandbox.md that the broker's tables (protocol/) say: the
// codes with their input layouts and samples, the raw blocks, the FID field
// numbers and the order layouts, written as Markdown (UTF-8). Each part
// stands in the document between a start marker naming it and an end
// marker; RegenerateDocument rewrites what stands between them.

#include <optional>
#include <string>
#include <string_view>

namespace zqk::doc {

// The generated parts, by the names their markers carry.
std::string QueryServicesTable();
std::string RawBlocksTable();
std::string FidFieldNumbers();
std::string OrderLayoutsTable();

// "<!-- protocol: NAME -->" ... "<!-- end protocol: NAME -->".
std::string StartMarker(std::string_view name);
std::string EndMarker(std::string_view name);

// `document` with every generated part written anew; nullopt (and `why`
// set) when a part's markers are missing or out of order.
std::optional<std::string> RegenerateDocument(std::string_view document, std::string* why);

}  // namespace zqk::doc
