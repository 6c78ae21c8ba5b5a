#include "quickstart/audio_analyser.h"

#include <cmath>
#include <utility>

namespace quickstart {

namespace {

// Sum of gained energies and how many bins went into it.
struct BandSum {
  float energy = 0.0f;
  uint32_t count = 0;
  void Add(float gainedEnergy) {
    energy += gainedEnergy;
    ++count;
  }
};

void Smooth(AudioBand& band, const BandSum& sum) {
  float raw = sum.count == 0 ? 0.0f : std::sqrt(sum.energy / static_cast<float>(sum.count));
  band.level = raw * (1.0f - band.smoothing) + band.smoothing * band.level;
}

}  // namespace

AudioAnalyser::AudioAnalyser(uint32_t binCount) : bins(binCount, 0.0f) {}

void AudioAnalyser::Analyse(std::vector<float> newBins) {
  bins = std::move(newBins);
  const size_t third = bins.size() / 3;
  BandSum all, lowSum, middleSum, highSum;
  for (size_t i = 0; i < bins.size(); ++i) {
    const float energy = bins[i] * bins[i] * gain;
    all.Add(energy);
    if (i < third) lowSum.Add(energy);
    if (i > third && i < 2 * third) middleSum.Add(energy);
    if (i > 2 * third) highSum.Add(energy);
  }
  Smooth(overall, all);
  Smooth(low, lowSum);
  Smooth(middle, middleSum);
  Smooth(high, highSum);
}

void AudioAnalyser::SetSampleRate(uint32_t rate) {
  sampleRate = rate;
  nyquist = static_cast<float>(rate) * 0.5f;
  binWidth = bins.empty() ? 0.0f : nyquist / static_cast<float>(bins.size());
}

}  // namespace quickstart
