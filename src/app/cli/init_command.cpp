// ondrix-cli init: creates the data folder with the factory record files.

#include <cstdio>
#include <string>

#include "app/cli/commands.h"
#include "platform/paths.h"
#include "store/stores/factory_data.h"

namespace ondrix::cli {

void addInitCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("init", "Create the data folder with its factory record files");
  auto folder = std::make_shared<std::string>();
  cmd->add_option("--data", *folder, "Data folder (default: ONDRIX_DATA, or DATA/ beside the program)");
  cmd->callback([folder, &exitCode] {
    const std::string data =
        folder->empty() ? platform::dataFolder() : platform::withTrailingSlash(*folder);
    for (const std::string& name : store::createFactoryData(data))
      std::printf("created %s%s\n", data.c_str(), name.c_str());
    exitCode = kExitOk;
  });
}

}  // namespace ondrix::cli
