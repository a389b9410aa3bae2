#pragma once

namespace orbant {

class CAllControlsSheet;

// Fills the body and star table and the constellation figure list of the
// sheet during its initialisation (after timer 1 starts, before
// chart_stale is set). Until the star table exists it does nothing.
void fill_body_and_star_table(CAllControlsSheet& sheet);

}  // namespace orbant
