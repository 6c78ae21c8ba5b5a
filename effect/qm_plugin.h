// The slice-mapping effect.
#pragma once

#include "host/host_plugin.h"

class QmPlugin : public CHostPlugin {
 public:
  QmPlugin();
};
