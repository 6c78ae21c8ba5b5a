// The parameter registry: what the host is told about each parameter of an instance.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/plugin_abi.h"

// One option element of a registry entry.
struct ParamElement {
  std::string name;
  float value = 0.0f;
};

// The option elements of a registry entry. Copies share one list (entries offering the same choices hold
// one list of names) until an element is written through one of them, which first gives that copy a list
// of its own. A list made by default holds the one element of a plain entry: empty name, value 0.0.
class ParamElementList {
 public:
  ParamElementList() = default;
  // One element per name, valued by position: 0.0, 1.0, 2.0, ...
  static ParamElementList Named(const std::vector<std::string>& names);

  size_t size() const { return elements ? elements->size() : 1; }
  const ParamElement& operator[](size_t i) const { return elements ? (*elements)[i] : PlainElement(); }
  // The element for writing; the list is copied first when another copy shares it.
  ParamElement& operator[](size_t i);
  // Replaces the list by count copies of the element.
  void assign(size_t count, const ParamElement& element);
  // Whether both copies read the same stored list.
  bool SharesWith(const ParamElementList& other) const { return elements && elements == other.elements; }

 private:
  static const ParamElement& PlainElement();

  std::shared_ptr<std::vector<ParamElement>> elements;  // null: the one plain element
};

// One parameter description, as the host reads it.
struct ParamEntry {
  uint32_t index = 0;
  char name[16] = {};
  uint32_t type = 0;
  ParamElementList elements;
  uint32_t usage = 0;
  bool visible = true;
  float minimum = 0.0f;
  float maximum = 1.0f;
  float defaultValue = 0.0f;
  std::string defaultText;
  std::vector<std::string> fileExtensions;
  uint64_t pendingEvents = 0;

  // The name field as text: its characters up to the first zero, at most 16.
  std::string NameText() const { return std::string(name, strnlen(name, sizeof name)); }
};

// Root of every instance: owns the registry of parameter descriptions.
class CHostPluginManager {
 public:
  CHostPluginManager() = default;
  CHostPluginManager(const CHostPluginManager&) = delete;
  CHostPluginManager& operator=(const CHostPluginManager&) = delete;
  virtual ~CHostPluginManager();

  // Appends an entry; type 10 defaults are clamped into 0..1.
  void SetParamInfo(uint32_t index, const std::string& name, uint32_t type, float defaultValue);
  // Appends an option entry (type 11) with one element per choice, valued 0, 1, 2, ...
  void SetOptionParamInfo(uint32_t index, const std::string& name, const std::vector<std::string>& choices,
                          float defaultValue);
  // The same with the elements given as a list, which the entry shares with its other copies.
  void SetOptionParamInfo(uint32_t index, const std::string& name, ParamElementList elements, float defaultValue);
  // Sets the range of the first entry with the index; no entry, no change.
  void SetParamRange(uint32_t index, float minimum, float maximum);
  // Sets the visible flag and, when tellHost, raises the visibility event.
  void SetParamVisibility(uint32_t index, bool visible, bool tellHost);
  // ORs bits into the entry's pending events.
  void RaiseParamEvent(uint32_t index, uint64_t bits);

  // Number of registered entries.
  uint32_t GetParamCount() const { return static_cast<uint32_t>(registry.size()); }
  // The first entry with the index, or null.
  const ParamEntry* FindParam(uint32_t index) const;
  ParamEntry* FindParam(uint32_t index);
  // Entries in registration order.
  const std::vector<ParamEntry>& Entries() const { return registry; }
  // Collects up to capacity pending events in registry order and clears them; returns how many.
  uint32_t CollectEvents(ParamEventRecord* out, uint32_t capacity);
  // Number of entries with pending events.
  uint32_t CountPendingEvents() const;

 private:
  ParamEntry& Append(uint32_t index, const std::string& name, uint32_t type);

  std::vector<ParamEntry> registry;
  std::unordered_map<uint32_t, size_t> firstPositionOfIndex;
};
