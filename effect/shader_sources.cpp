#include "effect/shader_sources.h"

#include "effect/shader_blocks.h"

namespace {

std::vector<uint8_t> BuildSourceKey(const uint8_t (&material)[32]) {
  std::vector<uint8_t> key(material, material + 32);
  key.push_back(0);
  key.push_back(0);
  return key;
}

}  // namespace

const std::vector<uint8_t> layerSourceKey = BuildSourceKey(kLayerKeyMaterial);
const std::vector<uint8_t> overlaySourceKey = BuildSourceKey(kOverlayKeyMaterial);

StoredSource GetStoredSource(ShaderSource source) {
  switch (source) {
    case ShaderSource::LayerVertex:
      return {kLayerVertexBlock, kLayerVertexLength};
    case ShaderSource::LayerFragment:
      return {kLayerFragmentBlock, kLayerFragmentLength};
    case ShaderSource::OverlayVertex:
      return {kOverlayVertexBlock, kOverlayVertexLength};
    case ShaderSource::OverlayFragment:
      return {kOverlayFragmentBlock, kOverlayFragmentLength};
  }
  return {nullptr, 0};
}

const std::vector<uint8_t>& GetSourceKey(ShaderSource source) {
  const bool layer = source == ShaderSource::LayerVertex || source == ShaderSource::LayerFragment;
  return layer ? layerSourceKey : overlaySourceKey;
}

std::string UnscrambleSource(const uint8_t* stored, int32_t length, const std::vector<uint8_t>& key) {
  if (stored == nullptr || length < 0 || key.size() < 3) return std::string();
  const int32_t period = static_cast<int32_t>(key.size() - 2);
  std::string text(reinterpret_cast<const char*>(stored), static_cast<size_t>(length));
  for (int32_t i = 0; i < length; ++i) {
    const int32_t position = (length + i) % period;
    text[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint8_t>(text[static_cast<size_t>(i)]) ^ key[position]);
  }
  return text;
}

std::string SourceText(ShaderSource source) {
  const StoredSource stored = GetStoredSource(source);
  return UnscrambleSource(stored.bytes, stored.length, GetSourceKey(source));
}

EffectSources StoredSources() {
  return EffectSources{SourceText(ShaderSource::LayerVertex), SourceText(ShaderSource::LayerFragment),
                       SourceText(ShaderSource::OverlayVertex), SourceText(ShaderSource::OverlayFragment)};
}
