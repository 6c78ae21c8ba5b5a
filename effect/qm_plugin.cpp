#include "effect/qm_plugin.h"

QmPlugin::QmPlugin() {
  minInputs = 1;
  maxInputs = 1;
}
