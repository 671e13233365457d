#pragma once
// The rule grammar of the rule-driven strategy. A rule is a path of element
// searches: steps parted by "$" (runs count as one, empty pieces dropped);
// a step is a list of key=value items parted by "," (runs count as one),
// trimmed; keys ("tag", "id", "class_name") are trimmed and read in small
// letters, values trimmed and kept as written; the first value of a key
// counts; other keys are ignored. A step needs a tag; one bad step spoils
// the whole rule. Pure functions.
#include <string>
#include <vector>

struct PathStep {
  std::u16string tag;        // never empty in a step that was accepted
  std::u16string id;         // empty matches any
  std::u16string className;  // empty matches any
};

// False for a null rule or one without any piece; true otherwise, with the
// steps, or with an empty list when a step was bad.
bool SplitPricePath(const char16_t* rule, std::vector<PathStep>& steps);
// False when the step has no item or no tag.
bool ParsePathStep(std::u16string_view text, PathStep& step);
