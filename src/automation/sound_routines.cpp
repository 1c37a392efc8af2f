// Sounds: a wave or MIDI file played on the installed media player. The script does not wait for
// the sound; a file that cannot be played is traced by the player, never reported to the script.

#include <string>
#include <string_view>

#include "automation/messages.h"
#include "automation/routines.h"
#include "platform/media.h"
#include "script/std_args.h"

namespace ondrix::automation::routines {
namespace {

// The file name's extension from its last dot on, ASCII letters upper-cased; empty when the last
// part of the path has no dot.
std::string upperExtension(const std::string& file) {
  const std::size_t dot = file.find_last_of("./\\:");
  if (dot == std::string::npos || file[dot] != '.') return {};
  std::string extension = file.substr(dot);
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return extension;
}

}  // namespace

void PlayWAVFile(ParamCells& cells, ScriptValue&) {
  const std::string file = script::textArg(cells, 0);
  if (upperExtension(file) != ".WAV") return showError("PlayWAVFile: Can only play .WAV files");
  platform::mediaPlayer().playWave(file, {});
}

void PlayMIDIFile(ParamCells& cells, ScriptValue&) {
  const std::string file = script::textArg(cells, 0);
  if (upperExtension(file) != ".MID") return showError("PlayMIDFile: Can only play .MID files");
  platform::mediaPlayer().playMidi(file, {});
}

}  // namespace ondrix::automation::routines
