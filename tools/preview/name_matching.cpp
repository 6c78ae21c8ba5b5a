#include "tools/preview/name_matching.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace preview {
namespace {

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

size_t EditDistance(const std::string& a, const std::string& b) {
  const std::string x = Lower(a);
  const std::string y = Lower(b);
  std::vector<size_t> previous(y.size() + 1);
  std::vector<size_t> current(y.size() + 1);
  for (size_t j = 0; j <= y.size(); ++j) previous[j] = j;
  for (size_t i = 1; i <= x.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= y.size(); ++j) {
      const size_t substitution = previous[j - 1] + (x[i - 1] == y[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
    }
    std::swap(previous, current);
  }
  return previous[y.size()];
}

int FindName(const std::string& name, const std::vector<std::string>& candidates) {
  for (size_t i = 0; i < candidates.size(); ++i)
    if (candidates[i] == name) return static_cast<int>(i);
  const std::string lower = Lower(name);
  int found = -1;
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (Lower(candidates[i]) != lower) continue;
    if (found >= 0) return -1;
    found = static_cast<int>(i);
  }
  return found;
}

std::vector<std::string> NearMatches(const std::string& name, const std::vector<std::string>& candidates,
                                     size_t limit) {
  const std::string lower = Lower(name);
  const size_t allowed = std::max<size_t>(2, name.size() / 3);
  std::vector<std::pair<size_t, size_t>> ranked;  // distance, position
  for (size_t i = 0; i < candidates.size(); ++i) {
    const size_t distance = EditDistance(name, candidates[i]);
    const bool contains = !lower.empty() && Lower(candidates[i]).find(lower) != std::string::npos;
    if (distance <= allowed || contains) ranked.emplace_back(distance, i);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> near;
  for (size_t i = 0; i < ranked.size() && near.size() < limit; ++i) near.push_back(candidates[ranked[i].second]);
  return near;
}

std::string QuotedList(const std::vector<std::string>& names) {
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) list += (i ? ", \"" : "\"") + names[i] + "\"";
  return list;
}

}  // namespace preview
