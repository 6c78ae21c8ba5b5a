#include "quickstart/param.h"

#include <utility>

namespace quickstart {

Param::Param(std::string paramName, float initialValue, uint32_t paramType)
    : name(std::move(paramName)), type(paramType), ownValue(initialValue) {}

std::shared_ptr<Param> Param::Create(std::string name, float value, uint32_t type) {
  return std::make_shared<Param>(std::move(name), value, type);
}

void Param::SetValue(float newValue) { Store(newValue); }

float Param::GetValue() const { return view ? (*view)[viewIndex] : ownValue; }

void Param::ViewInto(std::vector<float>* values, size_t index) {
  const float current = GetValue();
  view = values;
  viewIndex = index;
  Store(current);
}

void Param::Store(float newValue) {
  if (view) {
    (*view)[viewIndex] = newValue;
  } else {
    ownValue = newValue;
  }
}

ParamBool::ParamBool(std::string name, bool flag) : Param(std::move(name), flag ? 1.0f : 0.0f, kTypeBoolean) {}

std::shared_ptr<ParamBool> ParamBool::Create(std::string name, bool flag) {
  return std::make_shared<ParamBool>(std::move(name), flag);
}

ParamRange::ParamRange(std::string name, float initialValue, float minimum, float maximum)
    : Param(std::move(name), initialValue, kTypeStandard), min(minimum), max(maximum) {}

std::shared_ptr<ParamRange> ParamRange::Create(std::string name, float value, float minimum, float maximum) {
  return std::make_shared<ParamRange>(std::move(name), value, minimum, maximum);
}

std::shared_ptr<ParamRange> ParamRange::CreateInteger(std::string name, int32_t value, float minimum,
                                                      float maximum) {
  auto param = std::make_shared<ParamRange>(std::move(name), static_cast<float>(value), minimum, maximum);
  param->type = kTypeInteger;
  return param;
}

bool OptionPositionToIndex(float position, uint64_t& index) {
  // 2^64 is exactly representable as a float; converting it or anything larger to u64 is undefined.
  constexpr float kFirstUnrepresentable = 18446744073709551616.0f;
  if (!(position > -1.0f && position < kFirstUnrepresentable)) return false;  // NaN fails both tests
  index = position < 1.0f ? 0 : static_cast<uint64_t>(position);
  return true;
}

ParamOption::ParamOption(std::string name, SharedOptionElements optionElements, int32_t defaultIndex)
    : Param(std::move(name), 0.0f, kTypeOption),
      elements(optionElements ? std::move(optionElements) : std::make_shared<const std::vector<OptionElement>>()) {
  Select(static_cast<float>(defaultIndex));
}

std::shared_ptr<ParamOption> ParamOption::Create(std::string name, std::vector<OptionElement> elements,
                                                 int32_t defaultIndex) {
  return CreateSharing(std::move(name), std::make_shared<const std::vector<OptionElement>>(std::move(elements)),
                       defaultIndex);
}

std::shared_ptr<ParamOption> ParamOption::CreateSharing(std::string name, SharedOptionElements elements,
                                                        int32_t defaultIndex) {
  return std::make_shared<ParamOption>(std::move(name), std::move(elements), defaultIndex);
}

void ParamOption::SetValue(float newValue) { Select(newValue); }

void ParamOption::Select(float position) {
  uint64_t index = 0;
  if (OptionPositionToIndex(position, index) && index < elements->size()) {
    Store(position);
  } else {
    Store(0.0f);
    index = 0;
  }
  if (elements->empty()) {
    currentName.clear();
    currentValue = 0.0f;
    return;
  }
  currentName = (*elements)[index].name;
  currentValue = (*elements)[index].value;
}

ParamText::ParamText(std::string name, std::string initialText)
    : Param(std::move(name), 0.0f, kTypeText), text(std::move(initialText)) {}

std::shared_ptr<ParamText> ParamText::Create(std::string name, std::string text) {
  return std::make_shared<ParamText>(std::move(name), std::move(text));
}

void ParamText::SetText(const char* newText) { text = newText ? newText : ""; }

ParamTrigger::ParamTrigger(std::string name) : Param(std::move(name), 0.0f, kTypeEvent) {}

std::shared_ptr<ParamTrigger> ParamTrigger::Create(std::string name) {
  return std::make_shared<ParamTrigger>(std::move(name));
}

ParamBuffer::ParamBuffer(std::string name, uint32_t index, uint32_t binCount)
    : Param(std::move(name), 0.0f, kTypeBuffer), registryIndex(index), bins(binCount, 0.0f) {}

std::shared_ptr<ParamBuffer> ParamBuffer::Create(std::string name, uint32_t registryIndex, uint32_t binCount) {
  return std::make_shared<ParamBuffer>(std::move(name), registryIndex, binCount);
}

}  // namespace quickstart
