// The command line of the render command.
#pragma once

#include <CLI/CLI.hpp>

#include "tools/preview/render_command.h"

namespace preview {

// Adds the "render" subcommand, filling request (all but the module path) and verbose when parsed.
CLI::App* AddRenderCommand(CLI::App& app, RenderRequest& request, bool& verbose);

}  // namespace preview
