// Smoothed spectrum levels of one audio buffer parameter: overall and low, middle and high thirds.
#pragma once

#include <cstdint>
#include <vector>

namespace quickstart {

// One band's smoothing factor and smoothed level.
struct AudioBand {
  float smoothing = 0.8f;
  float level = 0.0f;
};

class AudioAnalyser {
 public:
  // Starts with binCount zero bins, gain 0 and no sample rate.
  explicit AudioAnalyser(uint32_t binCount);

  // Replaces the bins and moves each band's level towards the root mean square of its gained bins.
  // With t = n div 3: low is bins below t, middle strictly between t and 2t, high above 2t; a band
  // with no bins counts as silent.
  void Analyse(std::vector<float> newBins);
  // Sample rate, Nyquist frequency (half of it) and bin width (Nyquist over the bin count; 0 with no bins).
  void SetSampleRate(uint32_t rate);
  // Multiplies every squared bin before the sums.
  void SetGain(float newGain) { gain = newGain; }

  const std::vector<float>& GetBins() const { return bins; }
  const AudioBand& Overall() const { return overall; }
  const AudioBand& Low() const { return low; }
  const AudioBand& Middle() const { return middle; }
  const AudioBand& High() const { return high; }
  float GetNyquist() const { return nyquist; }
  float GetBinWidth() const { return binWidth; }
  uint32_t GetSampleRate() const { return sampleRate; }
  float GetGain() const { return gain; }

 private:
  std::vector<float> bins;
  AudioBand overall;
  AudioBand low;
  AudioBand middle;
  AudioBand high;
  float nyquist = 0.0f;
  float binWidth = 0.0f;
  uint32_t sampleRate = 0;
  float gain = 0.0f;
};

}  // namespace quickstart
