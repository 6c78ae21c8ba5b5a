// The effect's GLSL sources, stored scrambled in the module, and the keys that turn them back into text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Key of the layer program's sources: 32 bytes of key material and two zero bytes; built at module load.
extern const std::vector<uint8_t> layerSourceKey;
// Key of the overlay program's sources, laid out like layerSourceKey.
extern const std::vector<uint8_t> overlaySourceKey;

// The four stored sources.
enum class ShaderSource { LayerVertex, LayerFragment, OverlayVertex, OverlayFragment };

// One stored block: bytes in the module's read-only data (never freed) and their count.
struct StoredSource {
  const uint8_t* bytes;
  int32_t length;
};

// The stored block of a source.
StoredSource GetStoredSource(ShaderSource source);

// The key a source is scrambled with.
const std::vector<uint8_t>& GetSourceKey(ShaderSource source);

// XORs stored byte i with key[(length + i) mod (key size - 2)], the two trailing zero bytes never taking part;
// the text has exactly length bytes. Empty when length is negative, stored is null or the key is too short.
std::string UnscrambleSource(const uint8_t* stored, int32_t length, const std::vector<uint8_t>& key);

// The GLSL text of a source, unscrambled with its key.
std::string SourceText(ShaderSource source);

// The four GLSL texts of the effect's two programs.
struct EffectSources {
  std::string layerVertex;
  std::string layerFragment;
  std::string overlayVertex;
  std::string overlayFragment;
};

// The four stored sources as text.
EffectSources StoredSources();

// The texts InitGL builds the programs from; each module that holds the effect defines it once (the product
// in program_sources.cpp: the stored sources).
EffectSources ProgramSources();
