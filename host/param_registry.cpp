#include "host/param_registry.h"

#include <algorithm>
#include <utility>

#include "host/plugin_abi.h"

ParamElementList ParamElementList::Named(const std::vector<std::string>& names) {
  ParamElementList list;
  list.elements = std::make_shared<std::vector<ParamElement>>();
  list.elements->reserve(names.size());
  for (size_t k = 0; k < names.size(); ++k) list.elements->push_back(ParamElement{names[k], static_cast<float>(k)});
  return list;
}

ParamElement& ParamElementList::operator[](size_t i) {
  if (!elements) {
    elements = std::make_shared<std::vector<ParamElement>>(1);
  } else if (elements.use_count() > 1) {
    elements = std::make_shared<std::vector<ParamElement>>(*elements);
  }
  return (*elements)[i];
}

void ParamElementList::assign(size_t count, const ParamElement& element) {
  elements = std::make_shared<std::vector<ParamElement>>(count, element);
}

const ParamElement& ParamElementList::PlainElement() {
  static const ParamElement plain;
  return plain;
}

CHostPluginManager::~CHostPluginManager() = default;

ParamEntry& CHostPluginManager::Append(uint32_t index, const std::string& name, uint32_t type) {
  registry.emplace_back();
  ParamEntry& entry = registry.back();
  entry.index = index;
  std::copy_n(name.data(), std::min<size_t>(name.size(), sizeof entry.name), entry.name);
  entry.type = type;
  firstPositionOfIndex.emplace(index, registry.size() - 1);  // an earlier entry with the index keeps winning
  return entry;
}

void CHostPluginManager::SetParamInfo(uint32_t index, const std::string& name, uint32_t type, float defaultValue) {
  ParamEntry& entry = Append(index, name, type);
  if (type == kTypeStandard) {
    if (defaultValue > 1.0f) defaultValue = 1.0f;
    if (defaultValue < 0.0f) defaultValue = 0.0f;
  }
  entry.defaultValue = defaultValue;
}

void CHostPluginManager::SetOptionParamInfo(uint32_t index, const std::string& name,
                                            const std::vector<std::string>& choices, float defaultValue) {
  SetOptionParamInfo(index, name, ParamElementList::Named(choices), defaultValue);
}

void CHostPluginManager::SetOptionParamInfo(uint32_t index, const std::string& name, ParamElementList elements,
                                            float defaultValue) {
  ParamEntry& entry = Append(index, name, kTypeOption);
  entry.elements = std::move(elements);
  entry.defaultValue = defaultValue;
}

void CHostPluginManager::SetParamRange(uint32_t index, float minimum, float maximum) {
  if (ParamEntry* entry = FindParam(index)) {
    entry->minimum = minimum;
    entry->maximum = maximum;
  }
}

void CHostPluginManager::SetParamVisibility(uint32_t index, bool visible, bool tellHost) {
  if (ParamEntry* entry = FindParam(index)) entry->visible = visible;
  if (tellHost) RaiseParamEvent(index, kEventVisibilityChanged);
}

void CHostPluginManager::RaiseParamEvent(uint32_t index, uint64_t bits) {
  if (ParamEntry* entry = FindParam(index)) entry->pendingEvents |= bits;
}

const ParamEntry* CHostPluginManager::FindParam(uint32_t index) const {
  auto found = firstPositionOfIndex.find(index);
  return found == firstPositionOfIndex.end() ? nullptr : &registry[found->second];
}

ParamEntry* CHostPluginManager::FindParam(uint32_t index) {
  return const_cast<ParamEntry*>(static_cast<const CHostPluginManager*>(this)->FindParam(index));
}

uint32_t CHostPluginManager::CountPendingEvents() const {
  return static_cast<uint32_t>(
      std::count_if(registry.begin(), registry.end(), [](const ParamEntry& e) { return e.pendingEvents != 0; }));
}

uint32_t CHostPluginManager::CollectEvents(ParamEventRecord* out, uint32_t capacity) {
  uint32_t written = 0;
  for (ParamEntry& entry : registry) {
    if (written >= capacity) break;
    if (entry.pendingEvents == 0) continue;
    out[written].paramIndex = entry.index;
    out[written].flags = entry.pendingEvents;
    entry.pendingEvents = 0;
    ++written;
  }
  return written;
}
