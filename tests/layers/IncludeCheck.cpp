#include "tests/layers/IncludeCheck.h"

#include <algorithm>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "tests/support/Files.h"

namespace zqk::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Words(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool IsSourceFile(const fs::path& p) {
  const std::string ext = p.extension().string();
  return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc" || ext == ".c";
}

// The longest listed layer that holds `path`; empty when none does.
std::string LayerOf(const LayerList& layers, const std::string& path) {
  std::string best;
  for (const auto& [layer, below] : layers.below) {
    if (path.starts_with(layer + "/") && layer.size() > best.size()) best = layer;
  }
  return best;
}

// The room of `path` in roomed layer `layer`: its first subfolder, or the
// layer itself for a file directly in it.
std::string RoomOf(const std::string& layer, const std::string& path) {
  const std::string rest = path.substr(layer.size() + 1);
  const size_t slash = rest.find('/');
  return slash == std::string::npos ? layer : layer + "/" + rest.substr(0, slash);
}

struct Include {
  std::string file;
  int line = 0;
  std::string target;
};

// The quoted includes of the tree's own files: a name is taken from the
// root, else from the including file's folder; others are not ours.
std::vector<Include> ReadIncludes(const fs::path& root, std::vector<std::string>& files) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<Include> includes;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory()) {
      if ((it.depth() == 0 && name.starts_with("build")) || name.starts_with(".")) {
        it.disable_recursion_pending();
      }
      continue;
    }
    if (!it->is_regular_file() || !IsSourceFile(it->path())) continue;
    const std::string file = fs::relative(it->path(), root).generic_string();
    files.push_back(file);
    std::istringstream in(ReadWholeFile(it->path()));
    int line = 0;
    for (std::string text; std::getline(in, text);) {
      ++line;
      std::smatch m;
      if (text.find("include") == std::string::npos) continue;
      if (!std::regex_search(text, m, kInclude)) continue;
      const fs::path named(m[1].str());
      fs::path target;
      if (fs::is_regular_file(root / named)) {
        target = named;
      } else if (fs::is_regular_file(it->path().parent_path() / named)) {
        target = fs::relative(fs::weakly_canonical(it->path().parent_path() / named),
                              fs::weakly_canonical(root));
      } else {
        continue;
      }
      includes.push_back({file, line, target.lexically_normal().generic_string()});
    }
  }
  return includes;
}

}  // namespace

std::set<std::string> LayerList::Reach(const std::string& layer) const {
  std::set<std::string> reached{layer};
  std::vector<std::string> todo{layer};
  while (!todo.empty()) {
    const std::string current = todo.back();
    todo.pop_back();
    const auto it = below.find(current);
    if (it == below.end()) continue;
    for (const std::string& next : it->second) {
      if (reached.insert(next).second) todo.push_back(next);
    }
  }
  return reached;
}

LayerList ParseLayerList(std::string_view text) {
  LayerList list;
  std::istringstream in{std::string(text)};
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string where = "layers.txt:" + std::to_string(number) + ": ";
    line = line.substr(0, line.find('#'));
    if (Words(line).empty()) continue;
    const size_t colon = line.find(':');
    const std::vector<std::string> head = Words(line.substr(0, colon));
    if (colon == std::string::npos || head.size() != 1) {
      throw std::invalid_argument(where + "expected \"layer: layers below\"");
    }
    const std::vector<std::string> rest = Words(line.substr(colon + 1));
    if (head[0] == "rooms") {
      for (const std::string& layer : rest) {
        if (!list.below.contains(layer)) throw std::invalid_argument(where + "no layer " + layer);
        list.roomed.insert(layer);
      }
      continue;
    }
    for (const std::string& layer : rest) {
      if (!list.below.contains(layer)) {
        throw std::invalid_argument(where + layer + " is not listed above " + head[0]);
      }
    }
    if (!list.below.emplace(head[0], rest).second) {
      throw std::invalid_argument(where + head[0] + " is listed twice");
    }
  }
  return list;
}

std::vector<Violation> CheckIncludes(const fs::path& root, const LayerList& layers) {
  std::vector<std::string> files;
  const std::vector<Include> includes = ReadIncludes(root, files);
  std::vector<Violation> found;
  for (const std::string& file : files) {
    if (LayerOf(layers, file).empty()) found.push_back({file, 0, "is in no layer of layers.txt"});
  }

  // Room to room includes, each with where it is written.
  std::map<std::string, std::set<std::string>> roomEdges;
  std::vector<std::pair<std::string, std::string>> includeRooms(includes.size());
  for (size_t i = 0; i < includes.size(); ++i) {
    const Include& inc = includes[i];
    const std::string from = LayerOf(layers, inc.file);
    const std::string to = LayerOf(layers, inc.target);
    if (from.empty()) continue;
    if (to.empty()) {
      found.push_back({inc.file, inc.line, "includes " + inc.target + ", which is in no layer"});
      continue;
    }
    if (from == to) {
      if (layers.roomed.contains(from)) {
        const std::string a = RoomOf(from, inc.file);
        const std::string b = RoomOf(from, inc.target);
        if (a != b) {
          roomEdges[a].insert(b);
          includeRooms[i] = {a, b};
        }
      }
      continue;
    }
    if (layers.Reach(from).contains(to)) continue;
    const bool up = layers.Reach(to).contains(from);
    found.push_back({inc.file, inc.line,
                     "includes " + inc.target + (up ? ": points up from " : ": sideways from ") +
                         from + " to " + to +
                         (up ? ", a layer above it" : ", which it does not build on")});
  }

  // An include from room a to room b is in a cycle when b reaches back to a.
  auto reaches = [&](const std::string& start, const std::string& goal) {
    std::set<std::string> seen{start};
    std::vector<std::string> todo{start};
    while (!todo.empty()) {
      const std::string current = todo.back();
      todo.pop_back();
      if (current == goal) return true;
      for (const std::string& next : roomEdges[current]) {
        if (seen.insert(next).second) todo.push_back(next);
      }
    }
    return false;
  };
  for (size_t i = 0; i < includes.size(); ++i) {
    const auto& [a, b] = includeRooms[i];
    if (a.empty() || !reaches(b, a)) continue;
    found.push_back(
        {includes[i].file, includes[i].line,
         "includes " + includes[i].target + ": rooms in a cycle, " + b + " reaches back to " + a});
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace zqk::test
