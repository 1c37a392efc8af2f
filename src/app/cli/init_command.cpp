// ondrix-cli init: creates the data folder with the factory record files. Prints the folder it
// uses (the data folder rule decides where that is), then each file it created.

#include <cstdio>
#include <string>

#include "app/cli/commands.h"
#include "platform/paths.h"
#include "store/stores/factory_data.h"

namespace ondrix::cli {

void addInitCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("init", "Create the data folder with its factory record files");
  auto folder = std::make_shared<std::string>();
  cmd->add_option("--data", *folder, kDataFolderHelp);
  cmd->callback([folder, &exitCode] {
    const std::string data =
        folder->empty() ? platform::dataFolder() : platform::withTrailingSlash(*folder);
    std::printf("data folder %s\n", data.c_str());
    for (const std::string& name : store::createFactoryData(data))
      std::printf("created %s%s\n", data.c_str(), name.c_str());
    exitCode = kExitOk;
  });
}

}  // namespace ondrix::cli
