// Collects the screen entries and slices of a parsed Advanced Output preset.
#pragma once

#include <vector>

#include <juce_core/juce_core.h>

#include "presets/output_setup.h"

// For each Screen under ScreenSetup/screens in document order: its screen entry, then its
// slices from the last in the file to the first.
std::vector<SliceRecord> CollectSlices(const juce::XmlElement& root);
