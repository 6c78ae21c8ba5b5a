// Finding a name among parameter or element names, and the near matches to offer when it is missing.
#pragma once

#include <string>
#include <vector>

namespace preview {

// Levenshtein distance between a and b, letters compared without case.
size_t EditDistance(const std::string& a, const std::string& b);

// Position of the candidate equal to name; else of the only candidate equal to it without case; else -1.
int FindName(const std::string& name, const std::vector<std::string>& candidates);

// Up to limit candidates near name: within max(2, length / 3) edits, or containing it without case;
// nearest first, equally near ones in the candidates' order.
std::vector<std::string> NearMatches(const std::string& name, const std::vector<std::string>& candidates,
                                     size_t limit);

// The names joined as "a", "b", "c" for messages.
std::string QuotedList(const std::vector<std::string>& names);

}  // namespace preview
