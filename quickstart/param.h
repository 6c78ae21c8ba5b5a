// Effect parameters: small shared objects holding a value, a name and a host type code.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/plugin_abi.h"

namespace quickstart {

// A plain parameter. Made only through the factories, whose shared handle destroys the object as the
// kind it was created as (the destructor is deliberately not virtual).
class Param {
 public:
  Param(std::string name, float value, uint32_t type);
  // A parameter of any host type; type 10 (standard) unless given.
  static std::shared_ptr<Param> Create(std::string name, float value, uint32_t type = kTypeStandard);

  // Stores the value unchanged: no clamping, snapping or scaling.
  virtual void SetValue(float newValue);
  // The stored value: in the values array once the object is a view of it, else in the object.
  virtual float GetValue() const;

  // The full name (the registry keeps only its first 16 bytes).
  const std::string& GetName() const { return name; }
  // Host parameter type code.
  uint32_t GetType() const { return type; }
  // From now on the value lives in slot `index` of `values` (the current one moved there), and the object is a
  // view of it; null moves it back into the object. The owner of `values` ends the view before `values` goes.
  void ViewInto(std::vector<float>* values, size_t index);

 protected:
  // Stores the value where it lives.
  void Store(float newValue);

  std::string name;
  uint32_t type;

 private:
  float ownValue;                      // the value while the object is no view
  std::vector<float>* view = nullptr;  // the array that holds the value while the object is a view of it
  size_t viewIndex = 0;
};

// A boolean (type 0): 1.0 or 0.0 at creation; any non-zero value counts as true.
class ParamBool : public Param {
 public:
  ParamBool(std::string name, bool flag);
  static std::shared_ptr<ParamBool> Create(std::string name, bool flag);
};

// A value in its own units with a published range: type 10, or 13 when made by CreateInteger.
class ParamRange : public Param {
 public:
  ParamRange(std::string name, float value, float minimum, float maximum);
  static std::shared_ptr<ParamRange> Create(std::string name, float value, float minimum, float maximum);
  static std::shared_ptr<ParamRange> CreateInteger(std::string name, int32_t value, float minimum, float maximum);

  float GetMin() const { return min; }
  float GetMax() const { return max; }

 private:
  float min;
  float max;
};

// One choice of an option parameter: its name and the effect's own number for it.
struct OptionElement {
  std::string name;
  float value = 0.0f;
};

// Option elements that several option parameters may share; they never change once made.
using SharedOptionElements = std::shared_ptr<const std::vector<OptionElement>>;

// A choice among fixed elements (type 11); the host sends the position of the chosen element.
class ParamOption : public Param {
 public:
  ParamOption(std::string name, SharedOptionElements elements, int32_t defaultIndex);
  static std::shared_ptr<ParamOption> Create(std::string name, std::vector<OptionElement> elements,
                                             int32_t defaultIndex);
  // An option whose elements are shared with the other options made from the same list (null: none).
  static std::shared_ptr<ParamOption> CreateSharing(std::string name, SharedOptionElements elements,
                                                    int32_t defaultIndex);

  // Selects the element at the truncated position; NaN, -1.0 or below, and positions past the last
  // element select element 0 and store 0.0.
  void SetValue(float newValue) override;

  const std::vector<OptionElement>& GetElements() const { return *elements; }
  // The elements as shared with other options.
  const SharedOptionElements& SharedElements() const { return elements; }
  // Name and value of the selected element (empty and 0.0 when there are no elements).
  const std::string& GetCurrentName() const { return currentName; }
  float GetCurrentValue() const { return currentValue; }

 private:
  void Select(float position);

  SharedOptionElements elements;  // never null
  std::string currentName;
  float currentValue = 0.0f;
};

// A text (type 100); its float value stays 0.0 unless something sets it.
class ParamText : public Param {
 public:
  ParamText(std::string name, std::string text);
  static std::shared_ptr<ParamText> Create(std::string name, std::string text);

  // Copies the text; null counts as "".
  void SetText(const char* newText);
  const std::string& GetText() const { return text; }

 private:
  std::string text;
};

// A momentary event (type 1, starting at 0.0) that the effect base sets back to 0.0 after every frame.
class ParamTrigger : public Param {
 public:
  explicit ParamTrigger(std::string name);
  static std::shared_ptr<ParamTrigger> Create(std::string name);
};

// An audio buffer (type 12) whose bins mirror the element values of its registry entry.
class ParamBuffer : public Param {
 public:
  ParamBuffer(std::string name, uint32_t registryIndex, uint32_t binCount);
  static std::shared_ptr<ParamBuffer> Create(std::string name, uint32_t registryIndex, uint32_t binCount);

  uint32_t GetRegistryIndex() const { return registryIndex; }
  const std::vector<float>& GetBins() const { return bins; }
  std::vector<float>& Bins() { return bins; }

 private:
  uint32_t registryIndex;
  std::vector<float> bins;
};

// Truncates an option position to an element index; false for NaN, -1.0 or below, and 2^64 or above.
bool OptionPositionToIndex(float position, uint64_t& index);

}  // namespace quickstart
