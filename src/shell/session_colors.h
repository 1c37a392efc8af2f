#pragma once
// "Modify Colors" on the active session: the text colour dialog edits a copy of the session's
// connection record; on OK the copy replaces the session's record, is written to the connection
// book under its number (unless that number holds another connection by now), and the ten attribute colours are applied to the terminal again.

#include <functional>
#include <optional>

#include "store/records/connection_record.h"

namespace ondrix::shell {

class TMainForm;

using TColorEditor =
    std::function<std::optional<store::ConnectionRecord>(const store::ConnectionRecord&)>;

void ModifySessionColors(TMainForm& form, const TColorEditor& editColors);

}  // namespace ondrix::shell
